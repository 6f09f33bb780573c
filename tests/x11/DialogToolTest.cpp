// What the dialog programs are started with: the host's start environment
// and command lines zenity and kdialog understand.
#include "editor/x11/X11DialogTool.h"

#include <gtest/gtest.h>

using namespace orv::editor;

namespace {

TEST(DialogEnvironment, ArdoursSavedEnvironmentReplacesItsBundledOne)
{
    const std::vector<std::string> ardour{"PATH=/opt/ardour/bin", "LD_LIBRARY_PATH=/opt/ardour/lib", "DISPLAY=:5",
                                          "PREBUNDLE_ENV=PATH=/usr/bin:/bin\nHOME=/home/u\nLANG=C.UTF-8\n"};
    const std::vector<std::string> expected{"PATH=/usr/bin:/bin", "HOME=/home/u", "LANG=C.UTF-8", "DISPLAY=:5"};
    EXPECT_EQ(HostStartEnvironment(ardour), expected);
    const std::vector<std::string> plain{"PATH=/usr/bin", "LD_LIBRARY_PATH=/x"};
    EXPECT_EQ(HostStartEnvironment(plain), plain);
}

TEST(DialogCommands, BothProgramsAskTransientForTheHostsWindowWithTheBoxsIcon)
{
    struct Case {
        X11DialogTool::Kind kind;
        MessageButtons buttons;
        std::vector<std::string> argv;
    };
    const Case cases[] = {
        {X11DialogTool::Kind::kZenity,
         MessageButtons::kYesNo,
         {"zenity", "--question", "--no-markup", "--title=T", "--text=Sure?", "--attach=42"}},
        {X11DialogTool::Kind::kZenity,
         MessageButtons::kOk,
         {"zenity", "--info", "--no-markup", "--title=T", "--text=Sure?", "--attach=42"}},
        {X11DialogTool::Kind::kZenity,
         MessageButtons::kOkInformation,
         {"zenity", "--info", "--no-markup", "--title=T", "--text=Sure?", "--attach=42"}},
        {X11DialogTool::Kind::kZenity,
         MessageButtons::kOkError,
         {"zenity", "--error", "--no-markup", "--title=T", "--text=Sure?", "--attach=42"}},
        {X11DialogTool::Kind::kKdialog,
         MessageButtons::kYesNo,
         {"kdialog", "--title", "T", "--yesno", "Sure?", "--attach", "42"}},
        {X11DialogTool::Kind::kKdialog,
         MessageButtons::kOk,
         {"kdialog", "--title", "T", "--msgbox", "Sure?", "--attach", "42"}},
        {X11DialogTool::Kind::kKdialog,
         MessageButtons::kOkInformation,
         {"kdialog", "--title", "T", "--msgbox", "Sure?", "--attach", "42"}},
        {X11DialogTool::Kind::kKdialog,
         MessageButtons::kOkError,
         {"kdialog", "--title", "T", "--error", "Sure?", "--attach", "42"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(X11DialogTool(c.kind).MessageCommand("Sure?", "T", c.buttons, 42), c.argv);
    EXPECT_EQ(X11DialogTool(X11DialogTool::Kind::kZenity).FileCommand("/d/a.fxp", FileDialogMode::kSave, "fxp", 0),
              (std::vector<std::string>{"zenity", "--file-selection", "--filename=/d/a.fxp", "--save",
                                        "--confirm-overwrite", "--file-filter=*.fxp | *.fxp"}));
}

}  // namespace
