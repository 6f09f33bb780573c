// Switches the test program to a locale whose decimal separator is a comma,
// the way a host built on Qt or GTK adopts a German user's locale, and back
// to "C" afterwards. Where the system has no such locale installed, one is
// compiled into a temporary folder with localedef.
#pragma once

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace hosttest {

class CommaLocale {
public:
    CommaLocale()
    {
        if (TryNames())
            return;
        // glibc reads compiled locales from LOCPATH when it is set.
        folder = std::filesystem::temp_directory_path() / ("orv-locale-" + std::to_string(std::rand()));
        std::filesystem::create_directories(folder);
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + (folder / "de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) == 0) {
            static std::string variable;
            variable = "LOCPATH=" + folder.string();
            putenv(variable.data());
            TryNames();
        }
    }
    ~CommaLocale()
    {
        std::setlocale(LC_ALL, "C");
        if (!folder.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        }
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool Active() const { return std::string(std::localeconv()->decimal_point) == ","; }

private:
    bool TryNames()
    {
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "German_Germany.1252", "de-DE", "German"})
            if (std::setlocale(LC_ALL, name) != nullptr && Active())
                return true;
        std::setlocale(LC_ALL, "C");
        return false;
    }

    std::filesystem::path folder;
};

}  // namespace hosttest
