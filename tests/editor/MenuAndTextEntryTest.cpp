// Menus as controls build them, and the value editors a control opens: a
// menu of display texts for a list parameter, a text entry for a number,
// and the platform services' questions.
#include "tests/editor/EditorFixture.h"

#include "editor/FaderControl.h"
#include "editor/FileDialogText.h"
#include "editor/SwitchControl.h"

#include <gtest/gtest.h>

using namespace orv::editor;
using namespace orv::framework;

using namespace editortest;

TEST(PopupMenu, ItemsGoWhereTheIndexSaysAndPastTheEndAppend)
{
    PopupMenu menu;
    menu.AddItem("b");
    menu.AddItem("d", 0, 7);  // past the end: appended
    menu.AddItem("a", 0, 0);
    menu.AddItem("c", 0, 2);
    menu.AddSeparator(PopupMenu::kAppend);
    menu.AddItem("e", kItemChecked, -5);
    EXPECT_EQ(ScriptedGraphics::DescribeMenu(menu), (std::vector<std::string>{"a", "b", "c", "d", "-", "e [checked]"}));
}

TEST(PopupMenu, PrefixNumbersItemsFromOne)
{
    struct Case {
        PopupPrefix prefix;
        std::vector<std::string> lines;
    } cases[] = {
        {kPrefixNone, {"Init", "Piano"}},
        {kPrefixOneDigit, {"1: Init", "2: Piano"}},
        {kPrefixTwoDigits, {"01: Init", "02: Piano"}},
        {kPrefixThreeDigits, {"001: Init", "002: Piano"}},
    };
    for (const Case& c : cases) {
        PopupMenu menu(c.prefix);
        menu.AddItem("Init");
        menu.AddItem("Piano");
        EXPECT_EQ(ScriptedGraphics::DescribeMenu(menu), c.lines);
    }
}

TEST(PopupMenu, CommandsAreNumberedMenuByMenu)
{
    PopupMenu root;
    root.AddItem("Copy");
    auto midi = std::make_unique<PopupMenu>();
    midi->AddItem("Thru");
    midi->AddItem("Ignore");
    PopupMenu* midiMenu = midi.get();
    root.AddSubmenu("MIDI", std::move(midi));
    root.AddItem("Save");
    const std::vector<MenuCommand> commands = NumberMenuCommands(root);
    ASSERT_EQ(commands.size(), 5u);
    EXPECT_EQ(commands[2].menu, &root);
    EXPECT_EQ(commands[2].position, 2);
    EXPECT_EQ(commands[4].menu, midiMenu);
    EXPECT_EQ(commands[4].position, 1);
}

namespace {

struct PromptFixture : EditorFixture {
    PromptFixture()
    {
        fader = Add(std::make_unique<FaderControl>(&plugin, 301, 181, 86, EditorPlugin::kBipolarParameter,
                                                   Strip(26, 16, 1), kFaderVertical));
        morph = Add(std::make_unique<SwitchControl>(&plugin, 544, 296, EditorPlugin::kModeParameter, Strip(52, 16, 4),
                                                    kBlendNone));
        Attach();
    }
    FaderControl* fader;
    SwitchControl* morph;
};

}  // namespace

TEST(ValueEditor, RightClickOpensNothingWhilePromptsAreDisabled)
{
    PromptFixture f;
    f.Press(306, 200, RightButton());
    f.Release(306, 200, RightButton());
    EXPECT_TRUE(f.graphics.menus.empty());
    EXPECT_TRUE(f.graphics.textEntries.empty());
    EXPECT_DOUBLE_EQ(f.fader->Value(), 0.5);
}

TEST(ValueEditor, ListParameterIsChosenFromItsDisplayTexts)
{
    PromptFixture f;
    f.graphics.menuChoices.push_back({3});
    f.graphics.OpenValueEditor(f.morph, &f.plugin.GetParameter(EditorPlugin::kModeParameter), {544, 296, 596, 312});
    ASSERT_EQ(f.graphics.menus.size(), 1u);
    EXPECT_EQ(f.graphics.menus[0].lines, (std::vector<std::string>{"Off [checked]", "Once", "One Shot", "Swing"}));
    EXPECT_EQ(f.graphics.menus[0].rect.left, 544);
    EXPECT_EQ(f.graphics.menus[0].rect.top, 312) << "below the control";
    EXPECT_DOUBLE_EQ(f.morph->Value(), 1.0);
    EXPECT_DOUBLE_EQ(f.plugin.GetParameter(EditorPlugin::kModeParameter).value, 3.0);
}

TEST(ValueEditor, NumberIsTypedIntoABoxOverTheControl)
{
    struct Case {
        const char* typed;
        double value;  // of the bipolar parameter, shown and typed negated
    } cases[] = {
        {"0.5", -0.5}, {"-1", 1.0}, {"+0.25", -0.25}, {"abc", 0.0}, {"7", -1.0}, {"", 0.0},
    };
    for (const Case& c : cases) {
        PromptFixture f;
        f.fader->SetPromptDisabled(false);
        f.plugin.Effect()->setParameter(f.plugin.Effect(), EditorPlugin::kBipolarParameter, 0.625f);
        f.Press(306, 200, RightButton());
        f.Release(306, 200, RightButton());
        ASSERT_EQ(f.graphics.textEntries.size(), 1u);
        // A 40 x 16 box around the fader's centre, showing the current value.
        EXPECT_EQ(f.graphics.textEntries[0].rect, (Rect{294, 216, 334, 232}));
        EXPECT_EQ(f.graphics.textEntries[0].text, "-0.25");
        f.graphics.typedText = c.typed;
        f.graphics.TextEntry().EnterPressed();
        f.graphics.OnTimer();
        EXPECT_FALSE(f.graphics.IsTextEntryOpen());
        EXPECT_NEAR(f.plugin.GetParameter(EditorPlugin::kBipolarParameter).value, c.value, 1e-9) << c.typed;
        const std::vector<std::string> edits = f.HostEdits();
        ASSERT_GE(edits.size(), 2u);
        EXPECT_EQ(edits.back(), "end 11") << "the typed value is an edit of its own";
    }
}

TEST(ValueEditor, TextEntryEndsByCommitOrCancel)
{
    using Session = TextEntrySession;
    struct Case {
        const char* name;
        void (*play)(EditorFixture&);
        bool committed;
    } cases[] = {
        {"enter", [](EditorFixture& f) { f.graphics.TextEntry().EnterPressed(); }, true},
        {"escape", [](EditorFixture& f) { f.graphics.TextEntry().EscapePressed(); }, false},
        {"focus lost", [](EditorFixture& f) { f.graphics.TextEntry().FocusLost(); }, true},
        {"wheel", [](EditorFixture& f) { f.graphics.OnMouseWheel(306, 200, {}, 120); }, false},
        {"click on the panel",
         [](EditorFixture& f) {
             f.graphics.TextEntry().FocusGained();
             f.graphics.OnTimer();
             f.Press(10, 10);
         },
         true},
        {"click before a tick passed since the focus",
         [](EditorFixture& f) {
             f.graphics.TextEntry().FocusGained();
             f.Press(10, 10);
         },
         false},
    };
    for (const Case& c : cases) {
        PromptFixture f;
        f.fader->SetPromptDisabled(false);
        f.Press(306, 200, RightButton());
        f.Release(306, 200, RightButton());
        ASSERT_TRUE(f.graphics.IsTextEntryOpen()) << c.name;
        f.graphics.typedText = "-1";
        c.play(f);
        EXPECT_NE(f.graphics.TextEntry().GetState(), Session::State::kIdle) << c.name;
        f.graphics.OnTimer();
        EXPECT_FALSE(f.graphics.IsTextEntryOpen()) << c.name;
        EXPECT_EQ(f.graphics.destroyedTextEntries, 1) << c.name;
        EXPECT_EQ(f.plugin.GetParameter(EditorPlugin::kBipolarParameter).value, c.committed ? 1.0 : 0.0) << c.name;
        EXPECT_EQ(f.morph->Value(), 0.0) << c.name << ": clicks while the box is open reach no control";
    }
}

TEST(ValueEditor, PanelRedrawsAroundAnOpenTextEntry)
{
    PromptFixture f;
    f.fader->SetPromptDisabled(false);
    f.graphics.OnTimer();
    f.Press(306, 200, RightButton());
    f.Release(306, 200, RightButton());
    f.graphics.TextEntry().FocusGained();
    f.graphics.OnTimer();  // the tick after the focus draws nothing
    EXPECT_TRUE(f.graphics.spared.empty());
    f.morph->MarkDirty(false);
    f.graphics.OnTimer();
    ASSERT_EQ(f.graphics.spared.size(), 1u);
    EXPECT_EQ(f.graphics.spared[0], f.fader->GetRect());
    EXPECT_EQ(f.graphics.TextEntry().GetState(), TextEntrySession::State::kPainted);
    f.graphics.Resize(300, 200);
    EXPECT_FALSE(f.graphics.IsTextEntryOpen()) << "its control is gone";
}

TEST(ValueEditor, TextEntryFiltersCharactersByParameterKind)
{
    EditorFixture f;
    const Parameter* number = &f.plugin.GetParameter(0);
    const Parameter* list = &f.plugin.GetParameter(EditorPlugin::kModeParameter);
    const std::string all = "09+-.a \b";
    std::string forNumber, forList, forText;
    for (char c : all) {
        if (Graphics::TextEntryAccepts(number, static_cast<unsigned char>(c)))
            forNumber += c;
        if (Graphics::TextEntryAccepts(list, static_cast<unsigned char>(c)))
            forList += c;
        if (Graphics::TextEntryAccepts(nullptr, static_cast<unsigned char>(c)))
            forText += c;
    }
    EXPECT_EQ(forNumber, "09+-.\b");
    EXPECT_EQ(forList, "09+-\b");
    EXPECT_EQ(forText, all);
}

TEST(ValueEditor, FreeTextIsCutTo31Characters)
{
    class NameControl : public Control {
    public:
        using Control::Control;
        void ReceiveEnteredText(const char* text) override { received = text; }
        std::string received;
    };
    EditorFixture f;
    auto* name = f.Add(std::make_unique<NameControl>(&f.plugin, Rect{153, 21, 345, 37}, -1, Blend{}));
    f.graphics.CommitTextEntry(name, nullptr, "A program name of forty characters long!");
    EXPECT_EQ(name->received, "A program name of forty charact");
}

TEST(PlatformServices, WebAddressIsOpenedOnlyWhenConfirmed)
{
    struct Case {
        const char* confirm;
        std::deque<MessageAnswer> answers;
        bool pageOpens;
        bool result;
        size_t launched, messages;
    } cases[] = {
        {nullptr, {}, true, true, 1, 0},
        {"Visit?", {kAnswerNo}, true, false, 0, 1},
        {"Visit?", {kAnswerYes}, true, true, 1, 1},
        {"Visit?", {kAnswerYes, kAnswerOk}, false, false, 1, 2},  // the error box follows
        {nullptr, {}, false, false, 1, 1},
    };
    for (const Case& c : cases) {
        EditorFixture f;
        f.graphics.messageAnswers = c.answers;
        f.graphics.webPagesOpen = c.pageOpens;
        EXPECT_EQ(f.graphics.OpenWebAddress("https://example.org/", "Online", c.confirm, "No connection"), c.result);
        EXPECT_EQ(f.graphics.webAddresses.size(), c.launched);
        EXPECT_EQ(f.graphics.messages.size(), c.messages);
    }
}

TEST(PlatformServices, WithoutAWindowNothingIsChosenOrConfirmed)
{
    EditorFixture f;
    Graphics& windowless = f.graphics;
    std::string name = "ORV.fxb";
    std::string folder = "/banks";
    windowless.Graphics::ChooseFile(name, FileDialogMode::kSave, folder, "fxb");
    EXPECT_EQ(name, "");
    EXPECT_EQ(windowless.Graphics::ShowMessage("Overwrite?", "Save", MessageButtons::kYesNo), kAnswerNo);
    PopupMenu menu;
    menu.AddItem("Copy Program");
    EXPECT_EQ(windowless.ShowPopupMenu(menu, {}), nullptr);
    EXPECT_EQ(menu.chosenIndex, PopupMenu::kNoChoice);
}

TEST(PlatformServices, FileDialogTextsFromTheExtensionList)
{
    struct Case {
        const char* extensions;
        const char* pattern;
        const char* defaultExtension;
    } cases[] = {
        {"fxp", "*.fxp", "fxp"}, {"fxb fxp", "*.fxb;*.fxp", "fxb"},
        {" ", "*", ""},  // the default-folder dialog: any name
        {nullptr, "*", ""},      {"averyverylongextension", "*.averyverylongextension", "averyverylongex"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileDialogPattern(c.extensions), c.pattern);
        EXPECT_EQ(DefaultFileExtension(c.extensions), c.defaultExtension);
    }
    EXPECT_EQ(FolderOfPath("D:\\banks\\x.fxp"), "D:\\banks\\");
    EXPECT_EQ(FolderOfPath("/home/u/ORV.fxb"), "/home/u/");
    EXPECT_EQ(FolderOfPath("ORV.fxb"), "");
}
