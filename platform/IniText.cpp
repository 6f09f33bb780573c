#include "platform/IniText.h"

#include "platform/ProfileIniRules.h"

#include <cstddef>

namespace orv::platform::ini {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// One line: [begin, contentEnd) its text, [contentEnd, end) its line break.
struct Line {
    size_t begin = 0;
    size_t contentEnd = 0;
    size_t end = 0;
};

enum class LineKind { Blank, Header, Entry };

struct ParsedLine {
    LineKind kind = LineKind::Blank;
    std::string_view name;
    bool hasValue = false;
    std::string_view value;
    size_t nameEnd = 0;     // offset in the line just after the trimmed name (entries without '=')
    size_t valueStart = 0;  // offset in the line where the value's text begins (entries with '=')
};

// A section's body in the text: [headerEnd, bodyEnd), the lines after its
// header up to the next header (for the unnamed section, those before the first).
struct Section {
    size_t headerEnd = 0;
    size_t bodyEnd = 0;
};

std::string_view TrimLeft(std::string_view s)
{
    size_t i = 0;
    while (i < s.size() && IsProfileSpace(s[i]))
        ++i;
    return s.substr(i);
}

std::string_view TrimRight(std::string_view s)
{
    size_t n = s.size();
    while (n > 0 && IsProfileSpace(s[n - 1]))
        --n;
    return s.substr(0, n);
}

std::string_view Trim(std::string_view s)
{
    return TrimRight(TrimLeft(s));
}

std::string_view UpToNul(std::string_view s)
{
    const size_t nul = s.find('\0');
    return nul == std::string_view::npos ? s : s.substr(0, nul);
}

char AsciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

size_t TextStart(std::string_view text)
{
    return text.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
}

bool NextLine(std::string_view text, size_t& pos, Line& line)
{
    if (pos >= text.size())
        return false;
    line.begin = pos;
    size_t i = text.find_first_of("\r\n", pos);
    if (i == std::string_view::npos)
        i = text.size();
    line.contentEnd = i;
    if (i < text.size())
        i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
    line.end = i;
    pos = i;
    return true;
}

ParsedLine Parse(std::string_view raw)
{
    ParsedLine parsed;
    const size_t lead = raw.size() - TrimLeft(raw).size();
    const std::string_view content = Trim(raw);
    if (content.empty())
        return parsed;
    if (content.front() == '[') {
        const size_t close = content.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            parsed.kind = LineKind::Header;
            parsed.name = UpToNul(Trim(content.substr(1, close - 1)));
            return parsed;
        }
    }
    parsed.kind = LineKind::Entry;
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        parsed.name = UpToNul(content);
        parsed.nameEnd = lead + content.size();
        return parsed;
    }
    parsed.name = UpToNul(TrimRight(content.substr(0, equals)));
    const std::string_view afterEquals = content.substr(equals + 1);
    const std::string_view value = TrimLeft(afterEquals);
    parsed.hasValue = true;
    parsed.value = UpToNul(value);
    parsed.valueStart = lead + equals + 1 + (afterEquals.size() - value.size());
    return parsed;
}

std::string_view LineText(std::string_view text, const Line& line)
{
    return text.substr(line.begin, line.contentEnd - line.begin);
}

// The first section named name; "" is the unnamed one before any header.
std::optional<Section> FindSection(std::string_view text, std::string_view name)
{
    size_t pos = TextStart(text);
    std::optional<Section> found;
    if (name.empty())
        found = Section{pos, text.size()};
    Line line;
    while (NextLine(text, pos, line)) {
        const ParsedLine parsed = Parse(LineText(text, line));
        if (parsed.kind != LineKind::Header)
            continue;
        if (found) {
            found->bodyEnd = line.begin;
            return found;
        }
        if (SameName(parsed.name, name))
            found = Section{line.end, text.size()};
    }
    return found;
}

// The first line of section that is the key name.
std::optional<Line> FindKeyLine(std::string_view text, const Section& section, std::string_view name,
                                ParsedLine& parsed)
{
    size_t pos = section.headerEnd;
    Line line;
    const std::string_view body = text.substr(0, section.bodyEnd);
    while (NextLine(body, pos, line)) {
        parsed = Parse(LineText(text, line));
        if (parsed.kind == LineKind::Entry && SameName(parsed.name, name))
            return line;
    }
    return std::nullopt;
}

// Where the section's last non-blank line ends (its header's end when it has none).
size_t EndOfLastContent(std::string_view text, const Section& section)
{
    size_t pos = section.headerEnd;
    size_t last = section.headerEnd;
    Line line;
    const std::string_view body = text.substr(0, section.bodyEnd);
    while (NextLine(body, pos, line))
        if (!Trim(LineText(text, line)).empty())
            last = line.end;
    return last;
}

// The line break new lines get: the file's first one, "\n" in a file without any.
std::string_view LineBreakOf(std::string_view text)
{
    const size_t i = text.find_first_of("\r\n");
    if (i == std::string_view::npos || text[i] == '\n')
        return "\n";
    return (i + 1 < text.size() && text[i + 1] == '\n') ? "\r\n" : "\r";
}

bool EndsWithLineBreak(std::string_view text, size_t at)
{
    return at > 0 && (text[at - 1] == '\n' || text[at - 1] == '\r');
}

std::string Spliced(std::string_view text, size_t from, size_t to, std::string_view replacement)
{
    std::string result;
    result.reserve(text.size() - (to - from) + replacement.size());
    result.append(text.substr(0, from));
    result.append(replacement);
    result.append(text.substr(to));
    return result;
}

}  // namespace

std::optional<std::string_view> FindValue(std::string_view text, std::string_view section, std::string_view key)
{
    const std::optional<Section> found = FindSection(text, Trim(section));
    if (!found)
        return std::nullopt;
    ParsedLine parsed;
    if (!FindKeyLine(text, *found, Trim(key), parsed) || !parsed.hasValue)
        return std::nullopt;
    return parsed.value;
}

void Scan(std::string_view text, const std::function<void(std::string_view name)>& header,
          const std::function<void(std::string_view name, std::optional<std::string_view> value)>& entry)
{
    size_t pos = TextStart(text);
    Line line;
    while (NextLine(text, pos, line)) {
        const ParsedLine parsed = Parse(LineText(text, line));
        if (parsed.kind == LineKind::Header)
            header(parsed.name);
        else if (parsed.kind == LineKind::Entry)
            entry(parsed.name, parsed.hasValue ? std::optional<std::string_view>(parsed.value) : std::nullopt);
    }
}

std::string FoldedName(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        c = AsciiLower(c);
    return folded;
}

std::string_view LookupName(std::string_view name)
{
    return Trim(name);
}

std::string WithValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value)
{
    section = Trim(section);
    key = Trim(key);
    value = TrimLeft(value);
    const std::string_view lineBreak = LineBreakOf(text);
    const std::optional<Section> found = FindSection(text, section);
    if (!found) {
        std::string addition;
        if (text.size() > TextStart(text) && !EndsWithLineBreak(text, text.size()))
            addition += lineBreak;
        addition.append("[").append(section).append("]").append(lineBreak);
        addition.append(key).append("=").append(value).append(lineBreak);
        return Spliced(text, text.size(), text.size(), addition);
    }

    ParsedLine parsed;
    if (const std::optional<Line> line = FindKeyLine(text, *found, key, parsed)) {
        // Keep the line's own spelling of the key and its spacing around '='.
        if (parsed.hasValue)
            return Spliced(text, line->begin + parsed.valueStart, line->contentEnd, value);
        std::string rewritten = "=";
        rewritten.append(value);
        return Spliced(text, line->begin + parsed.nameEnd, line->contentEnd, rewritten);
    }

    const size_t at = EndOfLastContent(text, *found);
    std::string addition;
    if (at > TextStart(text) && !EndsWithLineBreak(text, at))
        addition += lineBreak;
    addition.append(key).append("=").append(value).append(lineBreak);
    return Spliced(text, at, at, addition);
}

std::string WithSectionEmptied(std::string_view text, std::string_view section)
{
    section = Trim(section);
    std::string result;
    result.reserve(text.size());
    // Copies text, leaving out each matching section's lines up to its last
    // non-blank one (the blank lines before the next header stay).
    size_t copiedTo = 0;
    std::optional<size_t> bodyBegin;
    size_t lastContentEnd = 0;
    auto closeSection = [&] {
        if (bodyBegin && lastContentEnd > *bodyBegin) {
            result.append(text.substr(copiedTo, *bodyBegin - copiedTo));
            copiedTo = lastContentEnd;
        }
        bodyBegin.reset();
    };
    size_t pos = TextStart(text);
    if (section.empty()) {
        bodyBegin = pos;
        lastContentEnd = pos;
    }
    Line line;
    while (NextLine(text, pos, line)) {
        const ParsedLine parsed = Parse(LineText(text, line));
        if (parsed.kind == LineKind::Header) {
            closeSection();
            if (SameName(parsed.name, section)) {
                bodyBegin = line.end;
                lastContentEnd = line.end;
            }
        } else if (parsed.kind == LineKind::Entry && bodyBegin) {
            lastContentEnd = line.end;
        }
    }
    closeSection();
    result.append(text.substr(copiedTo));
    return result;
}

}  // namespace orv::platform::ini
