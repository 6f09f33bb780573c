// The option menu as users meet it: its entries and their states, every
// confirmation answered Yes, No and otherwise, program and bank files that
// cannot be read or written, and the folder the file dialogs open in.
#include "tests/editor/PanelFixture.h"

#include "instrument/OrvMenuActions.h"
#include "tests/editor/VersionQueryAt.h"
#include "tests/platform/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <functional>

using namespace orv::editor;
using namespace orv::engine;
using namespace orv::framework;
using namespace orv::instrument;
using namespace orv::platform;

using namespace editortest;

namespace {

// Menu paths of the entries.
const std::vector<int> kCopy{0}, kPaste{1}, kInit{2}, kLoadProgram{4}, kSaveProgram{5}, kLoadBank{6}, kSaveBank{7},
    kSelectStartup{9}, kLoadStartup{10}, kUnselectStartup{11}, kDefaultFolder{13}, kMidiThru{14, 0},
    kIgnoreProgramChange{14, 1}, kReload{15}, kSaveConfig{16}, kCheckUpdate{18, 0}, kVisitSite{18, 1};

void Rename(PanelFixture& f, const char* name)
{
    f.orv->ModifyCurrentPreset(name);
    f.orv->ModifyCurrentPreset(nullptr);  // the stored state carries the name too
}

}  // namespace

TEST(OptionMenu, EntriesAndTheirStates)
{
    PanelFixture f;
    f.Click(360, 25);
    ASSERT_EQ(f.graphics->menus.size(), 1u);
    EXPECT_EQ(f.graphics->menus[0].lines, (std::vector<std::string>{"Copy Program",
                                                                    "Paste Program [grey]",
                                                                    "Init Program",
                                                                    "-",
                                                                    "Load Program",
                                                                    "Save Program",
                                                                    "Load Bank",
                                                                    "Save Bank",
                                                                    "-",
                                                                    "Select Startup Bank",
                                                                    "Load Startup Bank [grey]",
                                                                    "Unselect Startup Bank [grey]",
                                                                    "-",
                                                                    "Default Path for Program Files",
                                                                    "Global MIDI Settings...",
                                                                    "  MIDI Thru",
                                                                    "  Ignore Program Change",
                                                                    "Reload Configuration",
                                                                    "Save Configuration",
                                                                    "-",
                                                                    "Go Online...",
                                                                    "  Check Online for Update",
                                                                    "  Visit www.tarnwick.com",
                                                                    "-",
                                                                    "Panel Size",
                                                                    "  Automatic [checked]",
                                                                    "  100%",
                                                                    "  125%",
                                                                    "  150%",
                                                                    "  175%",
                                                                    "  200%",
                                                                    "  250%",
                                                                    "  300%"}));
    EXPECT_EQ(f.graphics->menus[0].rect, (Rect{360, 25, 360, 25}));

    f.ChooseOption(kCopy);
    f.graphics->chosenFiles.push_back(f.File("startup.fxb").string());
    f.ChooseOption(kSelectStartup);
    f.ChooseOption(kMidiThru);
    f.ChooseOption(kIgnoreProgramChange);
    f.ChooseOption(kIgnoreProgramChange);
    f.ChooseOption({14});  // the submenus' titles do nothing
    f.ChooseOption({18});
    f.Click(360, 25);
    const std::vector<std::string>& lines = f.graphics->menus.back().lines;
    EXPECT_EQ(lines[1], "Paste Program");
    EXPECT_EQ(lines[10], "Load Startup Bank");
    EXPECT_EQ(lines[11], "Unselect Startup Bank");
    EXPECT_EQ(lines[15], "  MIDI Thru [checked]");
    EXPECT_EQ(lines[16], "  Ignore Program Change");
    EXPECT_TRUE(f.graphics->messages.empty());
    EXPECT_TRUE(f.orv->MidiThru());

    f.ChooseOption(kVisitSite);
    EXPECT_EQ(f.graphics->webAddresses, std::vector<std::string>{"http://www.tarnwick.com"});
    LoopbackHttpServer versionServer(ServerReply::Whole("2000"));
    VersionQueryAt query(versionServer.Port());
    f.ChooseOption(kCheckUpdate);
    ASSERT_EQ(versionServer.Requests().size(), 1u);
    ASSERT_FALSE(f.graphics->messages.empty());
    EXPECT_EQ(f.graphics->messages.back().text, "Your version is up to date.");
}

TEST(OptionMenu, ConfirmationsGoAheadOnlyOnYes)
{
    struct Case {
        const char* what;
        std::vector<int> path;
        std::function<std::string(PanelFixture&)> text;
        const char* title;
        std::function<void(PanelFixture&)> setup;
        std::function<bool(PanelFixture&)> acted;
    };
    const auto startupBank = [](PanelFixture& f) {
        f.orv->WriteBankFile(f.File("startup.fxb").string().c_str());
        f.orv->SelectStartupBank(f.File("startup.fxb").string());
        Rename(f, "Changed");
    };
    const auto startupText = [](const char* question) {
        return [question](PanelFixture& f) {
            return "The Startup Bank is:\n" + f.orv->StartupBankPath() + "\n\nDo you really want to " + question;
        };
    };
    const auto iniText = [](const char* question) {
        return [question](PanelFixture& f) {
            return "The INI configuration file is:\n" + f.orv->IniPath() + "\n\nDo you really want to " + question;
        };
    };
    const Case cases[] = {
        {"paste", kPaste,
         [](PanelFixture&) { return std::string("Do you really want to overwrite the current program?"); },
         "Paste Program",
         [](PanelFixture& f) {
             f.ChooseOption(kCopy);
             f.Dispatch(vst::effSetProgram, 0, 1);
         },
         [](PanelFixture& f) { return std::string(f.orv->GetProgramName(1)) == f.orv->GetProgramName(0); }},
        {"init", kInit,
         [](PanelFixture&) { return std::string("Do you really want to initialize the current program?"); },
         "Initialize Program", [](PanelFixture&) {},
         [](PanelFixture& f) { return std::string(f.orv->GetProgramName(0)) == "Init"; }},
        {"load startup bank", kLoadStartup, startupText("reload all programs?"), "Load Startup Bank", startupBank,
         [](PanelFixture& f) { return std::string(f.orv->GetProgramName(0)) != "Changed"; }},
        {"unselect startup bank", kUnselectStartup, startupText("unselect it?"), "Unselect Startup Bank", startupBank,
         [](PanelFixture& f) { return f.orv->StartupBankPath().empty(); }},
        {"reload configuration", kReload, iniText("reload it?"), "Reload Configuration",
         [](PanelFixture& f) {
             // A controller learned and not saved: a reload forgets it.
             f.orv->ArmMidiLearn(true, false);
             f.orv->HandleMidiMessage({0, 0xb0, 20, 1});
             f.orv->Effect()->setParameter(f.orv->Effect(), 4, 0.5f);
         },
         [](PanelFixture& f) { return f.orv->ControlMap()[20] == -1; }},
        {"save configuration", kSaveConfig, iniText("overwrite it?"), "Save Configuration",
         [](PanelFixture& f) {
             f.orv->SelectStartupBank("");
             std::filesystem::remove(f.orv->IniPath());
         },
         [](PanelFixture& f) { return std::filesystem::exists(f.orv->IniPath()); }},
    };
    for (const Case& c : cases) {
        for (MessageAnswer answer : {kAnswerYes, kAnswerNo, kAnswerCancel, kAnswerNone}) {
            PanelFixture f;
            c.setup(f);
            f.graphics->messages.clear();
            f.graphics->messageAnswers.push_back(answer);
            const std::string text = c.text(f);
            f.ChooseOption(c.path);
            ASSERT_EQ(f.graphics->messages.size(), 1u) << c.what;
            EXPECT_EQ(f.graphics->messages[0].text, text) << c.what;
            EXPECT_EQ(f.graphics->messages[0].caption, c.title) << c.what;
            EXPECT_EQ(f.graphics->messages[0].buttons, MessageButtons::kYesNo) << c.what;
            EXPECT_EQ(c.acted(f), answer == kAnswerYes) << c.what << " answered " << answer;
        }
    }
}

TEST(OptionMenu, ProgramAndBankFilesRoundTrip)
{
    PanelFixture f;
    Rename(f, "A/B:C<d>|e?*\"\\");
    f.graphics->chosenFiles = {f.File("one.fxp").string(), f.File("all.fxb").string()};
    f.ChooseOption(kSaveProgram);
    f.ChooseOption(kSaveBank);
    ASSERT_EQ(f.graphics->fileRequests.size(), 2u);
    EXPECT_EQ(f.graphics->fileRequests[0].proposedName, "A_B_C_d__e____");
    EXPECT_EQ(f.graphics->fileRequests[0].extensions, "fxp");
    EXPECT_EQ(f.graphics->fileRequests[0].mode, FileDialogMode::kSave);
    EXPECT_EQ(f.graphics->fileRequests[1].proposedName, "ORV");
    EXPECT_EQ(f.graphics->fileRequests[1].extensions, "fxb");
    EXPECT_EQ(f.graphics->fileRequests[1].folder, f.settings.Path().string());
    EXPECT_EQ(LastProgramFolder(), f.settings.Path().string());

    Rename(f, "Other");
    f.graphics->chosenFiles = {f.File("one.fxp").string()};
    f.ChooseOption(kLoadProgram);
    EXPECT_EQ(std::string(f.orv->GetProgramName(0)), "A/B:C<d>|e?*\"\\");
    f.Dispatch(vst::effSetProgram, 0, 3);
    Rename(f, "Other");
    f.graphics->chosenFiles = {f.File("all.fxb").string()};
    f.ChooseOption(kLoadBank);
    EXPECT_NE(std::string(f.orv->GetProgramName(3)), "Other");
    EXPECT_EQ(f.graphics->fileRequests.back().mode, FileDialogMode::kOpen);
    EXPECT_TRUE(f.graphics->messages.empty());

    // Every instance in the process opens its dialogs where the last file was.
    PanelFixture other;
    other.graphics->chosenFiles = {""};
    other.ChooseOption(kLoadBank);
    EXPECT_EQ(other.graphics->fileRequests[0].folder, f.settings.Path().string());

    // A cancelled dialog does nothing.
    const std::vector<std::string> before = f.Programs();
    for (const std::vector<int>& path : {kLoadProgram, kSaveProgram, kLoadBank, kSaveBank, kSelectStartup})
        f.ChooseOption(path);
    EXPECT_TRUE(f.Programs() == before);
    EXPECT_TRUE(f.graphics->messages.empty());
    EXPECT_TRUE(f.orv->StartupBankPath().empty());
}

TEST(OptionMenu, FilesThatCannotBeReadOrWrittenChangeNothing)
{
    PanelFixture f;
    f.orv->WriteProgramFile(f.File("good.fxp").string().c_str());
    f.orv->WriteBankFile(f.File("good.fxb").string().c_str());
    std::filesystem::create_directory(f.File("folder.fxp"));
    PanelFixture::WriteBytes(f.File("empty.fxp"), "");
    for (const char* name : {"good.fxp", "good.fxb"}) {
        std::ifstream in(f.File(name), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        PanelFixture::WriteBytes(f.File(std::string("cut-") + name), bytes.substr(0, bytes.size() / 2));
    }
    PanelFixture::WriteBytes(f.File("huge.fxb"), "CcnK");
    std::filesystem::resize_file(f.File("huge.fxb"), 65u * 1024 * 1024);
    Rename(f, "Kept");
    const std::vector<std::string> before = f.Programs();

    struct Case {
        std::vector<int> path;
        std::string file;
        const char* message;
    } const cases[] = {
        {kLoadProgram, "folder.fxp", "Cannot load file!"},
        {kLoadProgram, "empty.fxp", "Cannot load file!"},
        {kLoadProgram, "cut-good.fxp", "Cannot load file!"},
        {kLoadProgram, "missing.fxp", "Cannot load file!"},
        {kLoadBank, "cut-good.fxb", "Cannot load file!"},
        {kLoadBank, "huge.fxb", "Cannot load file!"},
        {kLoadBank, "folder.fxp", "Cannot load file!"},
        {kSaveProgram, "no/such/folder/x.fxp", "Cannot save file!"},
        {kSaveBank, "folder.fxp", "Cannot save file!"},
    };
    for (const Case& c : cases) {
        f.graphics->messages.clear();
        f.graphics->chosenFiles = {f.File(c.file).string()};
        f.ChooseOption(c.path);
        ASSERT_EQ(f.graphics->messages.size(), 1u) << c.file;
        EXPECT_EQ(f.graphics->messages[0].text, c.message) << c.file;
        EXPECT_EQ(f.graphics->messages[0].caption, "Error");
        EXPECT_EQ(f.graphics->messages[0].buttons, MessageButtons::kOk);
        EXPECT_TRUE(f.Programs() == before) << c.file;
    }
    EXPECT_TRUE(std::filesystem::is_directory(f.File("folder.fxp")));
}

TEST(OptionMenu, StartupBankThatVanished)
{
    PanelFixture f;
    f.orv->WriteBankFile(f.File("startup.fxb").string().c_str());
    f.graphics->chosenFiles = {f.File("startup.fxb").string()};
    const std::string folderBefore = LastProgramFolder();
    f.ChooseOption(kSelectStartup);
    EXPECT_EQ(f.orv->StartupBankPath(), f.File("startup.fxb").string());
    EXPECT_EQ(LastProgramFolder(), folderBefore);
    std::filesystem::remove(f.File("startup.fxb"));

    Rename(f, "Kept");
    const std::vector<std::string> before = f.Programs();
    f.graphics->messageAnswers = {kAnswerYes};
    f.ChooseOption(kLoadStartup);
    ASSERT_EQ(f.graphics->messages.size(), 2u);
    EXPECT_EQ(f.graphics->messages[1].text, "Cannot load file!");
    EXPECT_TRUE(f.Programs() == before);

    // A new instance falls back to the factory bank.
    ORV next(nullptr);
    EXPECT_TRUE(next.StartupBankPath().empty());
    EXPECT_STREQ(next.GetProgramName(0), "Ice Palace");
}

TEST(OptionMenu, FoldersAndConfiguration)
{
    PanelFixture f;
    const std::string chosen = (f.settings.Path() / "new" / "[file name is ignored]").string();
    f.graphics->chosenFiles = {chosen};
    f.ChooseOption(kDefaultFolder);
    const std::string folder = (f.settings.Path() / "new").string();
    EXPECT_EQ(f.graphics->fileRequests[0].proposedName, "[file name is ignored]");
    EXPECT_EQ(f.graphics->fileRequests[0].extensions, " ");
    EXPECT_EQ(f.orv->ProgramFilesPath(), folder);
    EXPECT_EQ(LastProgramFolder(), folder);
    f.ChooseOption(kLoadProgram);
    EXPECT_EQ(f.graphics->fileRequests[1].folder, folder);

    EXPECT_EQ(FolderBeforeLastSeparator("D:\\banks\\x.fxp"), "D:\\banks");
    EXPECT_EQ(FolderBeforeLastSeparator("/x.fxp"), "");
    EXPECT_EQ(FolderBeforeLastSeparator("x.fxp"), "");

    // Reloading a configuration file that is gone keeps the settings.
    f.orv->SetMidiThru(true);
    std::filesystem::remove(f.orv->IniPath());
    f.graphics->messageAnswers = {kAnswerYes};
    f.ChooseOption(kReload);
    ASSERT_EQ(f.graphics->messages.size(), 2u);
    EXPECT_EQ(f.graphics->messages[1].text, "The INI file does not exist.");
    EXPECT_EQ(f.graphics->messages[1].caption, "Problem with INI File");
    EXPECT_TRUE(f.orv->MidiThru());
}
