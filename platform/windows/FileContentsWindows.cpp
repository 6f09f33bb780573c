#include "platform/FileContents.h"

#include <windows.h>

#include <algorithm>

namespace orv::platform {
namespace {

// Pipes and devices report no size: they are read in steps of this much.
constexpr size_t kReadStep = 65536;
constexpr size_t kLargestRead = size_t{1} << 30;  // what one ReadFile call is asked for at most
constexpr int kMebibyteShift = 20;

std::string TooLargeReason(size_t limit)
{
    return "it is larger than " + std::to_string(limit >> kMebibyteShift) + " MiB, too large for this kind of file";
}

std::string SystemReason(DWORD error)
{
    return "system error " + std::to_string(error);
}

template <class Buffer>
FileReadResult ReadOpenFile(HANDLE file, size_t limit, FileSource source, Buffer& contents, std::string& reason)
{
    // Disk files only, unless asked: a pipe or device could block or never end.
    const bool disk = GetFileType(file) == FILE_TYPE_DISK;
    if (!disk && source == FileSource::kRegularFile) {
        reason = "not a regular file";
        return FileReadResult::Refused;
    }
    LARGE_INTEGER size{};
    if (disk && (!GetFileSizeEx(file, &size) || size.QuadPart < 0)) {
        reason = SystemReason(GetLastError());
        return FileReadResult::Refused;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > limit) {
        reason = TooLargeReason(limit);
        return FileReadResult::Refused;
    }
    contents.resize(static_cast<size_t>(size.QuadPart));
    size_t filled = 0;
    for (;;) {
        if (filled == contents.size())  // grown since: read on, one byte past the limit at most
            contents.resize(std::min(contents.size() + kReadStep, limit + 1));
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min(contents.size() - filled, kLargestRead));
        if (!ReadFile(file, &contents[filled], want, &got, nullptr)) {
            const DWORD error = GetLastError();
            if (error == ERROR_BROKEN_PIPE)  // the writing end closed: the end of a pipe
                break;
            reason = SystemReason(error);
            return FileReadResult::Refused;
        }
        if (got == 0)
            break;
        filled += got;
        if (filled > limit) {
            reason = TooLargeReason(limit);
            return FileReadResult::Refused;
        }
    }
    contents.resize(filled);
    return FileReadResult::Read;
}

template <class Buffer>
FileReadResult ReadPath(const std::string& path, size_t limit, FileSource source, Buffer& contents, std::string& reason)
{
    contents.clear();
    reason.clear();
    // Others may go on reading, writing or replacing the file meanwhile.
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            reason = "no such file";
            return FileReadResult::Missing;
        }
        const DWORD attributes = GetFileAttributesA(path.c_str());
        const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        reason = folder ? "is a directory" : SystemReason(error);
        return FileReadResult::Refused;
    }
    const FileReadResult result = ReadOpenFile(file, limit, source, contents, reason);
    CloseHandle(file);
    if (result != FileReadResult::Read)
        contents.clear();
    return result;
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, size_t limit, std::string& contents)
{
    std::string reason;
    return ReadPath(path, limit, FileSource::kRegularFile, contents, reason);
}

FileReadResult ReadWholeFile(const std::string& path, size_t limit, FileSource source, std::vector<uint8_t>& bytes,
                             std::string& reason)
{
    return ReadPath(path, limit, source, bytes, reason);
}

}  // namespace orv::platform
