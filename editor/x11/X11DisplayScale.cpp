#include "editor/x11/X11DisplayScale.h"

#include "framework/NumberText.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace orv::editor {

namespace {

constexpr double kBaseDpi = 96.0;
// Beyond these the setting is nonsense and ignored.
constexpr double kLargestDpi = kBaseDpi * 16;
constexpr long kLargestGdkScale = 16;
constexpr char kDpiResource[] = "Xft.dpi:";

}  // namespace

double XftDpiScale(const char* resources)
{
    if (resources == nullptr)
        return 0.0;
    for (const char* line = resources; *line != '\0';) {
        const char* end = std::strchr(line, '\n');
        const size_t length = end != nullptr ? static_cast<size_t>(end - line) : std::strlen(line);
        if (length > sizeof kDpiResource - 1 && std::strncmp(line, kDpiResource, sizeof kDpiResource - 1) == 0) {
            // The host's locale may read "." otherwise.
            const std::string value(line + sizeof kDpiResource - 1, length - (sizeof kDpiResource - 1));
            const double dpi = framework::ParseNumber(value.c_str());
            if (dpi > 0.0 && dpi <= kLargestDpi)
                return dpi / kBaseDpi;
        }
        if (end == nullptr)
            break;
        line = end + 1;
    }
    return 0.0;
}

double GdkScale(const char* value)
{
    if (value == nullptr || *value == '\0')
        return 0.0;
    char* end = nullptr;
    const long scale = std::strtol(value, &end, 10);
    return *end == '\0' && scale >= 1 && scale <= kLargestGdkScale ? static_cast<double>(scale) : 0.0;
}

}  // namespace orv::editor
