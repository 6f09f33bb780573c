#include "BinaryFile.h"

#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string_view>

namespace orvhost {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string Reason(int number) { return number != 0 ? std::strerror(number) : "input/output error"; }

bool WriteTo(const std::string& path, std::span<const uint8_t> bytes, std::string& reason)
{
    errno = 0;
    std::FILE* raw = std::fopen(path.c_str(), "wb");
    if (raw == nullptr) {
        reason = Reason(errno);
        return false;
    }
    FileHandle file(raw);
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        reason = Reason(errno);
        return false;
    }
    errno = 0;
    if (std::fflush(file.get()) != 0) {
        reason = Reason(errno);
        return false;
    }
    errno = 0;
    if (std::fclose(file.release()) != 0) {
        reason = Reason(errno);
        return false;
    }
    return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, uintmax_t maxBytes, std::vector<uint8_t>& bytes, std::string& error)
{
    std::error_code status;
    const auto type = std::filesystem::status(path, status).type();
    if (type == std::filesystem::file_type::not_found) {
        error = "cannot read " + path + ": no such file";
        return false;
    }
    if (type == std::filesystem::file_type::directory) {
        error = "cannot read " + path + ": is a directory";
        return false;
    }
    errno = 0;
    std::FILE* raw = std::fopen(path.c_str(), "rb");
    if (raw == nullptr) {
        error = "cannot read " + path + ": " + Reason(errno);
        return false;
    }
    FileHandle file(raw);
    // Read in pieces rather than trusting a size the file system reports:
    // pipes and special files have none.
    bytes.clear();
    std::vector<uint8_t> piece(64 * 1024);
    for (;;) {
        errno = 0;
        const size_t count = std::fread(piece.data(), 1, piece.size(), file.get());
        if (count > 0) {
            if (bytes.size() + count > maxBytes) {
                error = "cannot read " + path + ": it is larger than " + std::to_string(maxBytes >> 20) +
                        " MiB, too large for this kind of file";
                return false;
            }
            bytes.insert(bytes.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(count));
        }
        if (count < piece.size()) {
            if (std::ferror(file.get()) != 0) {
                error = "cannot read " + path + ": " + Reason(errno);
                return false;
            }
            return true;
        }
    }
}

bool WriteWholeFile(const std::string& path, std::span<const uint8_t> bytes, std::string& error)
{
    std::error_code status;
    const auto type = std::filesystem::status(path, status).type();
    std::string reason;
    if (type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::regular) {
        if (type == std::filesystem::file_type::directory) {
            error = "cannot write " + path + ": is a directory";
            return false;
        }
        if (!WriteTo(path, bytes, reason)) {
            error = "cannot write " + path + ": " + reason;
            return false;
        }
        return true;
    }

    // A new file beside it, put in its place; through a symbolic link the
    // file it points to is replaced, not the link.
    const std::string_view contents(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    errno = 0;
    if (!platform::WriteFileAtomically(path, contents)) {
        error = "cannot write " + path + ": " + Reason(errno);
        return false;
    }
    return true;
}

}  // namespace orvhost
