#include "platform/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::platform {
namespace {

// The file a write to path really replaces: a link's target.
std::string TargetOf(const std::string& path)
{
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    return path;
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view contents)
{
    while (!contents.empty()) {
        const ssize_t written = write(fd, contents.data(), contents.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        contents.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Makes the rename itself durable; a failure here loses nothing.
void SyncFolder(const std::string& folder)
{
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view contents)
{
    const std::string target = TargetOf(path);
    std::string temporary = target + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat old {};
    bool ok = true;
    if (stat(target.c_str(), &old) == 0)
        ok = fchmod(fd, old.st_mode & 07777) == 0;
    ok = ok && WriteAll(fd, contents) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    ok = ok && std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        const int reason = errno;  // kept for the caller's message
        unlink(temporary.c_str());
        errno = reason;
        return false;
    }
    SyncFolder(FolderOf(target));
    return true;
}

}  // namespace orv::platform
