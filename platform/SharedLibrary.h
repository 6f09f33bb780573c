// Loading a shared library (a plug-in, or an optional system library) at run
// time and looking up its exported functions by name.
#pragma once

#include <string>

namespace orv::platform {

class SharedLibrary {
public:
    SharedLibrary() = default;
    ~SharedLibrary();
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;

    // Loads the library at path; on failure returns false and keeps a
    // human-readable reason in Error().
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return handle != nullptr; }

    // Address of an exported symbol, or null.
    void* Symbol(const char* name) const;
    const std::string& Error() const { return error; }

private:
    void* handle = nullptr;
    std::string error;
};

}  // namespace orv::platform
