// The rest of what the window offers the panel, on a context built in this
// program: the file and colour dialogs (driven from a timer while their
// modal loop runs), clipboard text, growing the editor with the host's frame
// around it, and the refusal to hand anything but a web address to the shell.
#include "tests/windows/HostWindow.h"

#include "editor/windows/GraphicsWin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

using namespace orv::editor;
using namespace orv::framework;

namespace wintest {
namespace {

constexpr int kPanelWidth = 608, kPanelHeight = 352;  // the test panel
constexpr UINT kDialogDelay = 300;                    // ms until the timer finds the dialog open

struct ContextInHost {
    explicit ContextInHost(HWND parent = nullptr) : graphics(nullptr, kPanelWidth, kPanelHeight)
    {
        graphics.CreateDrawingSurfaces();
        editor = static_cast<HWND>(graphics.OpenEditorWindow(parent != nullptr ? parent : host.Handle()));
        PumpMessages(50);
    }
    HostWindow host;
    GraphicsWin graphics;
    HWND editor = nullptr;
};

// Finds the dialog, optionally types into its first edit field, and presses
// a button, from a timer that runs inside the dialog's modal loop.
struct DialogDriver {
    static inline std::string title;  // empty: any dialog
    static inline std::string typed;  // empty: nothing typed
    static inline int button = IDCANCEL;
    static inline bool found = false;

    static BOOL CALLBACK TypeIntoFirstEdit(HWND child, LPARAM)
    {
        if (ClassNameOf(child) != "Edit" || !IsWindowVisible(child))
            return TRUE;
        SendMessageA(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
        return FALSE;
    }

    static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD)
    {
        HWND dialog = FindWindowA("#32770", title.empty() ? nullptr : title.c_str());
        if (dialog == nullptr)
            return;  // not open yet: the next tick looks again
        KillTimer(nullptr, id);
        found = true;
        if (!typed.empty())
            EnumChildWindows(dialog, TypeIntoFirstEdit, 0);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }

    static void Expect(const std::string& dialogTitle, const std::string& text, int pressed)
    {
        title = dialogTitle;
        typed = text;
        button = pressed;
        found = false;
        SetTimer(nullptr, 0, kDialogDelay, Fire);
    }
};

TEST(FileDialog, ChosenPathAndFolderOrNothing)
{
    ContextInHost context;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "orv-file-dialog-test";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "Strings.fxp") << "x";
    const std::string folderText = folder.string() + "\\";
    const std::filesystem::path startFolder = std::filesystem::current_path();
    struct Case {
        FileDialogMode mode;
        const char* typed;
        int button;
        std::string expectedName;  // empty: nothing chosen
    } const cases[] = {
        {FileDialogMode::kSave, "Evening", IDOK, folderText + "Evening.fxb"},  // the first extension added
        {FileDialogMode::kOpen, "Strings.fxp", IDOK, folderText + "Strings.fxp"},
        {FileDialogMode::kOpen, "Strings.fxp", IDCANCEL, ""},
    };
    for (const Case& c : cases) {
        std::string fileName = "old.fxb";
        std::string chosenFolder = folderText;
        DialogDriver::Expect("", c.typed, c.button);
        context.graphics.ChooseFile(fileName, c.mode, chosenFolder, "fxb fxp");
        EXPECT_TRUE(DialogDriver::found);
        EXPECT_EQ(fileName, c.expectedName) << c.typed;
        EXPECT_EQ(chosenFolder, folderText);
        EXPECT_EQ(std::filesystem::current_path(), startFolder) << "the host's current folder is left alone";
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);

    // Without a window there is no dialog and no name.
    context.graphics.CloseEditorWindow();
    std::string fileName = "old.fxb";
    std::string chosenFolder;
    context.graphics.ChooseFile(fileName, FileDialogMode::kOpen, chosenFolder, "fxb");
    EXPECT_EQ(fileName, "");
}

TEST(ColourDialog, ShowsThePromptAndKeepsTheColourUnlessChosen)
{
    ContextInHost context;
    for (int button : {IDOK, IDCANCEL}) {
        Colour colour{200, 10, 20, 30};
        DialogDriver::Expect("Ball colour", "", button);
        EXPECT_EQ(context.graphics.PickColor(colour, "Ball colour"), button == IDOK);
        EXPECT_TRUE(DialogDriver::found) << "the dialog carries the prompt as its title";
        EXPECT_EQ(colour.Packed(), (Colour{200, 10, 20, 30}.Packed()));
    }
}

TEST(Clipboard, UnicodeTextArrivesAsUtf8)
{
    ContextInHost context;
    const wchar_t text[] = L"Fl\u00fcgel";
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
    std::memcpy(GlobalLock(memory), text, sizeof text);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    std::string pasted;
    EXPECT_TRUE(context.graphics.TextFromClipboard(pasted));
    EXPECT_EQ(pasted, "Fl\xc3\xbcgel");

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(context.graphics.TextFromClipboard(pasted));
    EXPECT_EQ(pasted, "");
}

// The host's frames around the editor (its parent and that one's parent)
// grow with it; the window around those is the host's own business.
TEST(Resize, TheEditorAndTheTwoHostFramesAroundItGrowTogether)
{
    HostWindow host;
    auto frameIn = [](HWND parent) {
        return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 608, 352, parent, nullptr, nullptr,
                               nullptr);
    };
    HWND outer = frameIn(host.Handle());
    HWND inner = frameIn(outer);
    ContextInHost context(inner);
    ASSERT_NE(context.editor, nullptr);
    RECT hostBefore{};
    GetWindowRect(host.Handle(), &hostBefore);
    context.graphics.Resize(700, 400);
    PumpMessages(50);
    for (HWND grown : {context.editor, inner, outer}) {
        RECT r{};
        GetClientRect(grown, &r);
        EXPECT_EQ(r.right, 700) << ClassNameOf(grown);
        EXPECT_EQ(r.bottom, 400) << ClassNameOf(grown);
    }
    RECT hostAfter{};
    GetWindowRect(host.Handle(), &hostAfter);
    EXPECT_TRUE(EqualRect(&hostBefore, &hostAfter));
    context.graphics.CloseEditorWindow();
}

TEST(WebAddress, OnlyWebPagesGoToTheShell)
{
    ContextInHost context;
    DialogDriver::Expect("ORV test", "", IDOK);
    EXPECT_FALSE(context.graphics.OpenWebAddress("notepad.exe", "ORV test", nullptr, "The page cannot be opened."));
    EXPECT_TRUE(DialogDriver::found) << "the error is shown";
}

}  // namespace
}  // namespace wintest
