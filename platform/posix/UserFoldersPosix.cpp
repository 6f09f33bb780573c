#include "platform/UserFolders.h"

#include "platform/FileContents.h"

#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace orv::platform {
namespace {

std::string WithoutTrailingSlashes(std::string folder)
{
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

std::string Joined(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    return path.append(name);
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// $HOME when it is an absolute path, else the account's home from the user database.
std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return WithoutTrailingSlashes(home);
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr && found->pw_dir[0] == '/')
        return WithoutTrailingSlashes(found->pw_dir);
    return {};
}

std::string_view SkipBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    return s;
}

// The folder of a line XDG_DOCUMENTS_DIR="$HOME/..." or ="/absolute/...",
// the form xdg-user-dirs writes (a backslash escapes the next character).
std::string DocumentsEntry(std::string_view line, const std::string& home)
{
    constexpr std::string_view kName = "XDG_DOCUMENTS_DIR";
    line = SkipBlanks(line);
    if (!line.starts_with(kName))
        return {};
    line = SkipBlanks(line.substr(kName.size()));
    if (!line.starts_with('='))
        return {};
    line = SkipBlanks(line.substr(1));
    if (!line.starts_with('"'))
        return {};
    line.remove_prefix(1);
    std::string folder;
    if (line.starts_with("$HOME") && (line.size() == 5 || line[5] == '/' || line[5] == '"')) {
        if (home.empty())
            return {};
        folder = home;
        line.remove_prefix(5);
    } else if (!line.starts_with('/')) {
        return {};
    }
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            return WithoutTrailingSlashes(folder);
        if (line[i] == '\\' && i + 1 < line.size())
            ++i;
        folder += line[i];
    }
    return {};  // no closing quote
}

// The documents folder named in user-dirs.dirs (the last entry counts, as
// when the shell reads the file), or empty.
std::string XdgDocumentsFolder(const std::string& home)
{
    const std::string config = LocalSettingsFolder();
    if (config.empty())
        return {};
    std::string text;
    if (ReadWholeFile(Joined(config, "user-dirs.dirs"), 64 * 1024, text) != FileReadResult::Read)
        return {};
    std::string folder;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string entry = DocumentsEntry(std::string_view(text).substr(start, end - start), home);
        if (!entry.empty())
            folder = std::move(entry);
        start = end + 1;
    }
    return folder;
}

}  // namespace

std::string LocalSettingsFolder()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/')
        return WithoutTrailingSlashes(config);
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : Joined(home, ".config");
}

std::string DocumentsFolder()
{
    const std::string home = HomeFolder();
    if (const std::string xdg = XdgDocumentsFolder(home); IsFolder(xdg))
        return xdg;
    if (home.empty())
        return {};
    if (const std::string documents = Joined(home, "Documents"); IsFolder(documents))
        return documents;
    return home;
}

bool EnsureFolder(const std::string& folder)
{
    if (folder.empty())
        return false;
    // Private: the folder holds one user's settings.
    mkdir(folder.c_str(), 0700);
    return IsFolder(folder);
}

char PathSeparator()
{
    return '/';
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool CreateEmptyFile(const std::string& path)
{
    if (path.empty())
        return false;
    // Never O_TRUNC: a file that appeared meanwhile (another instance) keeps its contents.
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool regular = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    return regular;
}

}  // namespace orv::platform
