// Settings files: any bytes as the file's contents, with a section, a key and
// a buffer capacity taken from the front of the input. A key is read (a
// snapshot of the whole file must answer the same), written and read back,
// then its section emptied; what was written must read back and an emptied
// section must hold no keys.
#include "platform/ProfileIni.h"
#include "platform/ProfileSnapshot.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using namespace orv::platform;

namespace {

// One scratch folder per fuzzing process, removed when it exits; in memory
// where possible, since every write is flushed to disk.
class ScratchFile {
public:
    ScratchFile()
    {
        std::error_code error;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", error) ? "/dev/shm" : std::filesystem::temp_directory_path();
        folder_ = base / ("orv-fuzz-ini-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        path_ = (folder_ / "orv.ini").string();
    }
    ~ScratchFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    const std::string& Path() const { return path_; }

    void Fill(const uint8_t* data, size_t size) const
    {
        std::FILE* file = std::fopen(path_.c_str(), "wb");
        if (file == nullptr)
            std::abort();
        if (size > 0 && std::fwrite(data, 1, size, file) != size)
            std::abort();
        std::fclose(file);
    }

private:
    std::filesystem::path folder_;
    std::string path_;
};

// A name of up to 15 bytes from the front of the input (NUL bytes, which a
// C string cannot hold, left out).
std::string TakeName(const uint8_t*& data, size_t& size)
{
    if (size == 0)
        return {};
    const size_t length = std::min<size_t>(data[0] & 15, size - 1);
    std::string name(reinterpret_cast<const char*>(data + 1), length);
    name.erase(std::remove(name.begin(), name.end(), '\0'), name.end());
    data += 1 + length;
    size -= 1 + length;
    return name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ScratchFile scratch;
    const std::string section = TakeName(data, size);
    const std::string key = TakeName(data, size);
    size_t capacity = 64;
    if (size > 0) {
        capacity = data[0];
        ++data;
        --size;
    }
    scratch.Fill(data, size);
    const std::string& path = scratch.Path();

    const std::string read = orv::platform::ReadProfileString(path, section.c_str(), key.c_str(), "fallback", capacity);
    if (read.size() >= std::max<size_t>(capacity, 1))
        std::abort();
    if (orv::platform::ProfileSnapshot(path).Read(section.c_str(), key.c_str(), "fallback", capacity) != read)
        std::abort();

    if (orv::platform::WriteProfileString(path, section.c_str(), key.c_str(), "written value") &&
        orv::platform::ReadProfileString(path, section.c_str(), key.c_str(), "fallback", 64) != "written value")
        std::abort();

    if (orv::platform::ClearProfileSection(path, section.c_str()) &&
        orv::platform::ReadProfileString(path, section.c_str(), key.c_str(), "fallback", 64) != "fallback")
        std::abort();
    return 0;
}
