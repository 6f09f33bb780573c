#include "../FileContents.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

FileReadResult ReadOpenFile(int fd, size_t limit, std::string& contents)
{
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<unsigned long long>(info.st_size) > limit)
        return FileReadResult::Refused;
    contents.resize(static_cast<size_t>(info.st_size));
    size_t filled = 0;
    for (;;) {
        if (filled == contents.size()) {
            // The file may have grown since fstat: read on, one byte past
            // the limit at most, to tell a file that grew beyond it.
            contents.resize(std::min(contents.size() + 65536, limit + 1));
        }
        const ssize_t got = read(fd, &contents[filled], contents.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return FileReadResult::Refused;
        if (got == 0)
            break;
        filled += static_cast<size_t>(got);
        if (filled > limit)
            return FileReadResult::Refused;
    }
    contents.resize(filled);
    return FileReadResult::Read;
}

}  // namespace

FileReadResult ReadWholeFile(const std::string& path, size_t limit, std::string& contents)
{
    contents.clear();
    // Non-blocking, so that a FIFO at the path cannot stall the caller.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return (errno == ENOENT || errno == ENOTDIR) ? FileReadResult::Missing : FileReadResult::Refused;
    const FileReadResult result = ReadOpenFile(fd, limit, contents);
    close(fd);
    if (result != FileReadResult::Read)
        contents.clear();
    return result;
}

}  // namespace platform
