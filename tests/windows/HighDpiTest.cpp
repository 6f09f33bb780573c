// ORV's editor on a Windows screen at 192 dpi (200 %): the editor opens at
// 1216 x 704 and every control is where the user sees it, at twice its
// place. A process takes the screen's DPI when it starts, so the test runs
// this program again with the setting changed.
#include "tests/windows/EditorFixture.h"
#include "tests/windows/UserInput.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace orv::framework;
using namespace orv::hostkit;
using namespace orv::platform;

namespace wintest {
namespace {

constexpr DWORD kHighDpi = 192;
constexpr DWORD kChildMilliseconds = 120000;
constexpr DWORD kTicks = 150;
constexpr int kVivid = 3;
constexpr char kChildVariable[] = "ORV_HIGH_DPI_CHILD";  // where the child reports success
constexpr char kDesktopKey[] = "Control Panel\\Desktop";
constexpr char kDpiValue[] = "LogPixels";

// The user's screen DPI setting for as long as the object lives.
class ScreenDpi {
public:
    explicit ScreenDpi(DWORD dpi)
    {
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        DWORD size = sizeof previous;
        hadPrevious = RegQueryValueExA(key, kDpiValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&previous), &size) ==
                      ERROR_SUCCESS;
        RegSetValueExA(key, kDpiValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~ScreenDpi()
    {
        if (key == nullptr)
            return;
        if (hadPrevious)
            RegSetValueExA(key, kDpiValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous), sizeof previous);
        else
            RegDeleteValueA(key, kDpiValue);
        RegCloseKey(key);
    }

private:
    HKEY key = nullptr;
    DWORD previous = 0;
    bool hadPrevious = false;
};

}  // namespace

TEST(HighDpiChild, TheEditorOpensAtTwiceItsSizeWithEveryControlAtTwiceItsPlace)
{
    const char* report = std::getenv(kChildVariable);
    if (report == nullptr)
        GTEST_SKIP() << "runs in the process HighDpi starts";
    // A host that does not declare itself aware of the DPI is told 96.
    SetProcessDPIAware();
    EditorInHost editor;
    ASSERT_LOADED(editor.plugin);
    SetWindowPos(editor.host.Handle(), nullptr, 0, 0, 1300, 800, SWP_NOZORDER | SWP_NOMOVE);
    ASSERT_EQ(editor.Open(), 1);
    PumpMessages(kTicks);
    RECT client{};
    GetClientRect(editor.Editor(), &client);
    EXPECT_EQ(client.right, 1216);
    EXPECT_EQ(client.bottom, 704);

    editor.plugin.effect->setParameter(editor.plugin.effect, kVivid, 0.0f);
    PumpMessages(kTicks);
    Drag(editor.Editor(), {2 * 314, 2 * 262}, {2 * 314, 2 * 195});
    PumpMessages(kTicks);
    EXPECT_GT(editor.plugin.effect->getParameter(editor.plugin.effect, kVivid), 0.5f);
    editor.Close();
    if (!::testing::Test::HasFailure())
        std::ofstream(report) << "passed";
}

TEST(HighDpi, AScreenAt192DpiGivesTheEditorTwiceItsSize)
{
    const std::filesystem::path report = std::filesystem::temp_directory_path() / "orv-high-dpi-child";
    std::filesystem::remove(report);
    char self[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    std::string command = std::string("\"") + self + "\" --gtest_filter=HighDpiChild.*";
    {
        const ScreenDpi dpi(kHighDpi);
        SetEnvironmentVariableA(kChildVariable, report.string().c_str());
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        const BOOL started =
            CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
        SetEnvironmentVariableA(kChildVariable, nullptr);
        ASSERT_TRUE(started);
        EXPECT_EQ(WaitForSingleObject(process.hProcess, kChildMilliseconds), WAIT_OBJECT_0);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    EXPECT_TRUE(std::filesystem::exists(report)) << "the editor at 192 dpi failed its checks (see the output above)";
    std::filesystem::remove(report);
}

}  // namespace wintest
