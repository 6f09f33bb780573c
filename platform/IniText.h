// INI text as the Windows private-profile functions understand it, looked up
// and edited without reformatting anything but the line that changes.
//
// Reading, line by line (a line ends at "\r\n", "\n" or "\r"):
//   - white space (blank, tab, \v, \f, Ctrl-Z) around lines, names and values
//     does not count; blank lines mean nothing;
//   - "[name]" starts a section: the name runs to the last ']' of the line,
//     text after it is ignored; a line of '[' without ']' is an ordinary line;
//   - "key=value" splits at the first '='; a line without '=' is a key
//     without a value (reads as absent); ';' lines are keys like any other;
//   - lines before the first section belong to the unnamed section "";
//   - section and key names compare without regard to ASCII case; a NUL byte
//     ends a name or value; the first of duplicate sections and the first of
//     duplicate keys in it are the ones that count (later ones are invisible);
//   - a UTF-8 byte-order mark at the start is skipped.
// Editing keeps every other byte: a changed key is rewritten on its own line,
// a new key goes after the last non-blank line of its section, a new section
// at the end of the file; new lines end like the file's first line does.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orv::platform::ini {

// The value of key in section, or nothing when the key is absent or has no '='.
std::optional<std::string_view> FindValue(std::string_view text, std::string_view section, std::string_view key);

// One pass over text for a reader that indexes it: header(name) for every
// section header, entry(name, value) for every key line (no value without
// '='), in file order. Lines before the first header belong to "". Names come
// as the lookups compare them, apart from case (see FoldedName).
void Scan(std::string_view text, const std::function<void(std::string_view name)>& header,
          const std::function<void(std::string_view name, std::optional<std::string_view> value)>& entry);

// A name with its ASCII letters in lower case: two names match when their
// folded forms are equal.
std::string FoldedName(std::string_view name);

// A section or key name as FindValue looks it up: without the white space around it.
std::string_view LookupName(std::string_view name);

// text with key in section set to value (leading blanks of value dropped),
// adding the key or the section when missing.
std::string WithValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

// text with the keys of every section named section removed: each one's lines
// up to its last non-blank one go, its header and the blank lines before the
// next header stay. Section "" is the lines before the first header (and any
// header "[]").
std::string WithSectionEmptied(std::string_view text, std::string_view section);

}  // namespace orv::platform::ini
