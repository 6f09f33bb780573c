#include "platform/AtomicFile.h"

#include <windows.h>

#include <cstdio>

namespace orv::platform {

bool WriteFileAtomically(const std::string& path, std::string_view contents)
{
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool ok = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    ok = ok && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok)
        std::remove(temporary.c_str());
    return ok;
}

}  // namespace orv::platform
