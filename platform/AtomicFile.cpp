// The portable half of AtomicFile.h: whether a path is replaced or written
// through.
#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace orv::platform {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string SystemReason(int number)
{
    return number != 0 ? std::strerror(number) : "input/output error";
}

bool WriteThrough(const std::string& path, std::string_view contents, std::string& reason)
{
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        reason = SystemReason(errno);
        return false;
    }
    errno = 0;
    if (!contents.empty() && std::fwrite(contents.data(), 1, contents.size(), file.get()) != contents.size()) {
        reason = SystemReason(errno);
        return false;
    }
    errno = 0;
    if (std::fflush(file.get()) != 0) {
        reason = SystemReason(errno);
        return false;
    }
    errno = 0;
    if (std::fclose(file.release()) != 0) {
        reason = SystemReason(errno);
        return false;
    }
    return true;
}

}  // namespace

bool WriteWholeFile(const std::string& path, std::string_view contents, std::string& reason)
{
    std::error_code status;
    const auto type = std::filesystem::status(path, status).type();
    if (type == std::filesystem::file_type::directory) {
        reason = "is a directory";
        return false;
    }
    if (type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::regular)
        return WriteThrough(path, contents, reason);
    errno = 0;
    if (!WriteFileAtomically(path, contents)) {
        reason = SystemReason(errno);
        return false;
    }
    return true;
}

}  // namespace orv::platform
