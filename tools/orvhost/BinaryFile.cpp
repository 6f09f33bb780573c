#include "BinaryFile.h"

#include "FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

namespace orvhost {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::string Reason(int number) { return number != 0 ? std::strerror(number) : "input/output error"; }

std::string TemporaryName(const std::string& path)
{
    std::random_device source;
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", static_cast<unsigned>(source()));
    return path + ".orvhost-" + suffix + ".tmp";
}

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

    // Through a symbolic link the file it points to is replaced, not the link.
    std::string target = path;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, status))) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, status);
        if (!status)
            target = resolved.string();
    }
    const std::string temporary = TemporaryName(target);
    if (!WriteTo(temporary, bytes, reason)) {
        std::filesystem::remove(temporary, status);
        error = "cannot write " + path + ": " + reason;
        return false;
    }
    if (!platform::MoveFileReplacing(temporary, target)) {
        std::filesystem::remove(temporary, status);
        error = "cannot write " + path + ": it could not be replaced";
        return false;
    }
    return true;
}

}  // namespace orvhost
