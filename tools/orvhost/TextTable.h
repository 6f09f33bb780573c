// Lists printed as aligned columns under a header line, two spaces apart,
// without trailing spaces. Cells come from plug-ins, so control characters
// in them are shown as '?' rather than allowed to break the layout.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace orv::host {

class TextTable {
public:
    enum class Align { kLeft, kRight };
    struct Column {
        std::string title;
        Align align;
    };

    explicit TextTable(std::vector<Column> columns) : columns(std::move(columns)) {}

    // Missing cells are empty; extra ones are dropped.
    void AddRow(std::vector<std::string> cells);
    void Print(std::FILE* out) const;

private:
    std::vector<Column> columns;
    std::vector<std::vector<std::string>> rows;
};

}  // namespace orv::host
