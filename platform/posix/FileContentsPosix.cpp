#include "platform/FileContents.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::platform {
namespace {

// Pipes and devices report no size: they are read in steps of this much.
constexpr size_t kReadStep = 64 * 1024;
constexpr int kMebibyteShift = 20;

std::string SystemReason(int number)
{
    return number != 0 ? std::strerror(number) : "input/output error";
}

std::string TooLargeReason(size_t limit)
{
    return "it is larger than " + std::to_string(limit >> kMebibyteShift) + " MiB, too large for this kind of file";
}

template <class Buffer>
FileReadResult ReadOpenFile(int fd, size_t limit, FileSource source, Buffer& contents, std::string& reason)
{
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        reason = SystemReason(errno);
        return FileReadResult::Refused;
    }
    if (S_ISDIR(info.st_mode)) {
        reason = "is a directory";
        return FileReadResult::Refused;
    }
    const bool regular = S_ISREG(info.st_mode);
    if (!regular && source == FileSource::kRegularFile) {
        reason = "not a regular file";
        return FileReadResult::Refused;
    }
    if (regular && static_cast<unsigned long long>(info.st_size) > limit) {
        reason = TooLargeReason(limit);
        return FileReadResult::Refused;
    }
    contents.resize(regular ? static_cast<size_t>(info.st_size) : 0);
    size_t filled = 0;
    for (;;) {
        if (filled == contents.size()) {
            // The file may have grown since fstat: read on, one byte past
            // the limit at most, to tell a file that grew beyond it.
            contents.resize(std::min(contents.size() + kReadStep, limit + 1));
        }
        const ssize_t got = read(fd, &contents[filled], contents.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            reason = SystemReason(errno);
            return FileReadResult::Refused;
        }
        if (got == 0)
            break;
        filled += static_cast<size_t>(got);
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
    const int blocking = source == FileSource::kRegularFile ? O_NONBLOCK : 0;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | blocking);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            reason = "no such file";
            return FileReadResult::Missing;
        }
        reason = SystemReason(errno);
        return FileReadResult::Refused;
    }
    const FileReadResult result = ReadOpenFile(fd, limit, source, contents, reason);
    close(fd);
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
