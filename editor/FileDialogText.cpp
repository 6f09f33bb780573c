#include "editor/FileDialogText.h"

#include <sstream>

namespace orv::editor {

namespace {

constexpr size_t kDefaultExtensionLength = 15;

}  // namespace

std::string FileDialogPattern(const char* extensions)
{
    std::istringstream list(extensions != nullptr ? extensions : "");
    std::string pattern;
    std::string extension;
    while (list >> extension)
        pattern += (pattern.empty() ? "*." : ";*.") + extension;
    return pattern.empty() ? "*" : pattern;
}

std::string DefaultFileExtension(const char* extensions)
{
    std::istringstream list(extensions != nullptr ? extensions : "");
    std::string first;
    list >> first;
    return first.substr(0, kDefaultExtensionLength);
}

std::string FolderOfPath(const std::string& path)
{
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

}  // namespace orv::editor
