#include "platform/UserFolders.h"

// windows.h first: the shell header builds on its definitions.
#include <windows.h>

#include <shlobj.h>

namespace orv::platform {
namespace {

std::string ShellFolder(int which)
{
    char folder[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, which, nullptr, 0, folder) != S_OK)
        return {};
    return folder;
}

}  // namespace

std::string LocalSettingsFolder()
{
    return ShellFolder(CSIDL_LOCAL_APPDATA);
}

std::string DocumentsFolder()
{
    return ShellFolder(CSIDL_PERSONAL);
}

bool EnsureFolder(const std::string& folder)
{
    if (folder.empty())
        return false;
    CreateDirectoryA(folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

char PathSeparator()
{
    return '\\';
}

bool FileExists(const std::string& path)
{
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool CreateEmptyFile(const std::string& path)
{
    if (path.empty())
        return false;
    // OPEN_ALWAYS, not CREATE_ALWAYS: a file that appeared meanwhile (another
    // instance) keeps its contents.
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

}  // namespace orv::platform
