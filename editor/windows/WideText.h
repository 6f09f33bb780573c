// UTF-8 text (ours) to and from the UTF-16 text of the Windows "W" functions.
#pragma once

#include <string>
#include <string_view>

namespace orv::editor {

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace orv::editor
