// A private folder under the system's temporary folder for one test, with
// everything in it removed afterwards; tests never touch the user's folders.
#pragma once

#include "platform/UserFolders.h"

#include <filesystem>
#include <random>
#include <string>
#include <string_view>

class TempFolder {
public:
    TempFolder()
    {
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        do
            path_ = base / ("orv-platform-test-" + std::to_string(random()) + std::to_string(random()));
        while (!std::filesystem::create_directory(path_));
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return path_.string(); }
    // name inside the folder, joined the way the instrument joins paths.
    std::string Inside(std::string_view name) const
    {
        return Path() + orv::platform::PathSeparator() + std::string(name);
    }

private:
    std::filesystem::path path_;
};
