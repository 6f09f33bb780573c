#include "tools/orvhost/TextTable.h"

#include <algorithm>

namespace orv::host {

namespace {

std::string Printable(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    return text;
}

// Characters on screen: UTF-8 continuation bytes take no column.
size_t Width(const std::string& text)
{
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xc0) != 0x80; }));
}

}  // namespace

void TextTable::AddRow(std::vector<std::string> cells)
{
    cells.resize(columns.size());
    for (std::string& cell : cells)
        cell = Printable(std::move(cell));
    rows.push_back(std::move(cells));
}

void TextTable::Print(std::FILE* out) const
{
    std::vector<size_t> widths;
    for (const Column& column : columns)
        widths.push_back(Width(column.title));
    for (const auto& row : rows)
        for (size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], Width(row[i]));

    auto printLine = [&](const std::vector<std::string>& cells) {
        std::string line;
        for (size_t i = 0; i < cells.size(); ++i) {
            const std::string padding(widths[i] - Width(cells[i]), ' ');
            if (i > 0)
                line += "  ";
            line += columns[i].align == Align::kRight ? padding + cells[i] : cells[i] + padding;
        }
        line.erase(line.find_last_not_of(' ') + 1);
        line += '\n';
        std::fputs(line.c_str(), out);
    };
    std::vector<std::string> titles;
    for (const Column& column : columns)
        titles.push_back(column.title);
    printLine(titles);
    for (const auto& row : rows)
        printLine(row);
}

}  // namespace orv::host
