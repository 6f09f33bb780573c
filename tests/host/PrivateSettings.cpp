#include "tests/host/PrivateSettings.h"

#include "platform/UserFolders.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

using namespace orv::platform;

namespace hosttest {

namespace {

void SetVariable(const char* name, const std::string& value)
{
#if defined(_WIN32)
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}

class SettingsFolder {
public:
    SettingsFolder()
    {
        folder = std::filesystem::temp_directory_path() / ("orv-host-test-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(folder);
        SetVariable("XDG_CONFIG_HOME", folder.string());
        SetVariable("HOME", folder.string());
    }
    ~SettingsFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::filesystem::path folder;
};

SettingsFolder& Folder()
{
    static SettingsFolder settings;
    return settings;
}

// Before main: no test, and so no plug-in, can run ahead of it.
const bool settingsReady = !Folder().folder.empty();

}  // namespace

const std::filesystem::path& PrivateSettingsFolder()
{
    (void)settingsReady;
    return Folder().folder;
}

std::filesystem::path SettingsFile()
{
    PrivateSettingsFolder();
    // Where the plug-in looks, asked the way it asks.
    return std::filesystem::path(orv::platform::LocalSettingsFolder()) / "Tarnwick" / "orv.ini";
}

void WriteSettingsFile(const std::string& text)
{
    const std::filesystem::path file = SettingsFile();
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

std::string ReadSettingsFile()
{
    std::ifstream in(SettingsFile(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace hosttest
