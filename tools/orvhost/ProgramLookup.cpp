#include "tools/orvhost/ProgramLookup.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace orv::host {

namespace {

constexpr size_t kMaxListed = 8;

std::string Lowered(const std::string& text)
{
    std::string lowered = text;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

// Edits (insert, delete, replace one character) between two texts.
size_t EditDistance(const std::string& a, const std::string& b)
{
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

bool IsNear(const std::string& wanted, const std::string& name)
{
    const std::string a = Lowered(wanted);
    const std::string b = Lowered(name);
    if (a.empty() || b.empty())
        return false;
    if (b.find(a) != std::string::npos || a.find(b) != std::string::npos)
        return true;
    return EditDistance(a, b) <= std::max<size_t>(1, a.size() / 3);
}

std::string Listed(const std::vector<int32_t>& indexes, const std::vector<std::string>& names)
{
    std::string text;
    for (size_t i = 0; i < indexes.size() && i < kMaxListed; ++i) {
        text += i == 0 ? " " : ", ";
        text += std::to_string(indexes[i]) + " \"" + names[static_cast<size_t>(indexes[i])] + "\"";
    }
    if (indexes.size() > kMaxListed)
        text += " and " + std::to_string(indexes.size() - kMaxListed) + " more";
    return text;
}

}  // namespace

bool FindProgram(const std::string& wanted, const std::vector<std::string>& names, int32_t& index, std::string& error)
{
    const auto count = static_cast<int64_t>(names.size());
    const std::string range = count > 0 ? "programs 0.." + std::to_string(count - 1) : "no programs";

    int64_t number = 0;
    const char* end = wanted.data() + wanted.size();
    auto [stop, status] = std::from_chars(wanted.data(), end, number);
    if (!wanted.empty() && stop == end) {
        if (status != std::errc{} || number < 0 || number >= count) {
            error = "there is no program " + wanted + "; the plug-in has " + range;
            return false;
        }
        index = static_cast<int32_t>(number);
        return true;
    }

    std::vector<int32_t> exact;
    std::vector<int32_t> caseless;
    std::vector<int32_t> near;
    const std::string lowered = Lowered(wanted);
    for (int32_t i = 0; i < static_cast<int32_t>(names.size()); ++i) {
        const std::string& name = names[static_cast<size_t>(i)];
        if (name == wanted)
            exact.push_back(i);
        else if (Lowered(name) == lowered)
            caseless.push_back(i);
        else if (IsNear(wanted, name))
            near.push_back(i);
    }
    for (const std::vector<int32_t>* matches : {&exact, &caseless}) {
        if (matches->size() == 1) {
            index = matches->front();
            return true;
        }
        if (matches->size() > 1) {
            error =
                "several programs are named \"" + wanted + "\":" + Listed(*matches, names) + "; give the index instead";
            return false;
        }
    }
    error = "no program is named \"" + wanted + "\"";
    error += near.empty() ? "; 'orvhost programs PLUGIN' lists them" : "; near matches:" + Listed(near, names);
    return false;
}

}  // namespace orv::host
