#include "../FileContents.h"

#include <windows.h>

#include <algorithm>

namespace platform {

FileReadResult ReadWholeFile(const std::string& path, size_t limit, std::string& contents)
{
    contents.clear();
    // Others may go on reading, writing or replacing the file meanwhile.
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? FileReadResult::Missing
                                                                                : FileReadResult::Refused;
    }
    FileReadResult result = FileReadResult::Refused;
    LARGE_INTEGER size{};
    // Disk files only: a pipe or device could block or never end.
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
        static_cast<unsigned long long>(size.QuadPart) <= limit) {
        contents.resize(static_cast<size_t>(size.QuadPart));
        size_t filled = 0;
        result = FileReadResult::Read;
        for (;;) {
            if (filled == contents.size())  // grown since: read on, one byte past the limit at most
                contents.resize(std::min(contents.size() + 65536, limit + 1));
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(contents.size() - filled, 1u << 30));
            if (!ReadFile(file, &contents[filled], want, &got, nullptr)) {
                result = FileReadResult::Refused;
                break;
            }
            if (got == 0)
                break;
            filled += got;
            if (filled > limit) {
                result = FileReadResult::Refused;
                break;
            }
        }
        contents.resize(filled);
    }
    CloseHandle(file);
    if (result != FileReadResult::Read)
        contents.clear();
    return result;
}

}  // namespace platform
