// A graphics context without a window for tests: message boxes, menus, text
// entry, file dialogs and web pages answer from a script the test sets up,
// and every request is recorded. Redraws happen at once into the drawing
// bitmap, so tests read pixels after OnTimer.
#pragma once

#include "editor/Graphics.h"

#include <deque>
#include <string>
#include <vector>

namespace editortest {

class ScriptedGraphics : public orv::editor::Graphics {
public:
    using orv::editor::Graphics::Graphics;

    // --- the script ----------------------------------------------------------------
    // Whether this context pretends to have a platform window.
    bool windowAvailable = false;
    // Answers to message boxes in order; when used up, Yes/No boxes get No.
    std::deque<orv::editor::MessageAnswer> messageAnswers;
    // Choices in menus in order: the item indices from the top menu down
    // through submenus; an empty path closes the menu without a choice.
    std::deque<std::vector<int>> menuChoices;
    // Paths the file dialogs return in order; "" (or none left) cancels.
    std::deque<std::string> chosenFiles;
    // What the open text entry's box holds (the test types into it).
    std::string typedText;
    bool webPagesOpen = true;
    // The scale the system reports where the window opens (0: it does not).
    double systemScale = 0.0;

    // --- what was asked --------------------------------------------------------------
    struct Message {
        std::string text;
        std::string caption;
        orv::editor::MessageButtons buttons;
    };
    struct ShownMenu {
        std::vector<std::string> lines;  // DescribeMenu
        orv::editor::Rect rect;
    };
    struct FileRequest {
        std::string proposedName;
        std::string folder;
        std::string extensions;
        orv::editor::FileDialogMode mode;
    };
    struct TextEntryRequest {
        std::string text;
        orv::editor::Rect rect;
        int paramIdx;
    };
    std::vector<Message> messages;
    std::vector<ShownMenu> menus;
    std::vector<FileRequest> fileRequests;
    std::vector<TextEntryRequest> textEntries;
    std::vector<std::string> webAddresses;
    std::vector<orv::editor::Rect> blitted;
    std::vector<void*> openedParents;
    int closeCount = 0;

    // One line per item, submenu items indented by two spaces: the display
    // text, then " [grey]", " [title]", " [checked]"; a separator is "-".
    static std::vector<std::string> DescribeMenu(const orv::editor::PopupMenu& menu);

    bool CanOpenWindow() const override { return windowAvailable; }
    double SystemScale(void* /*parent*/) override { return systemScale; }
    void* OpenEditorWindow(void* parent) override;
    void CloseEditorWindow() override;
    bool HasWindow() const override { return open; }
    void BlitToWindow(const orv::editor::Rect& rect) override { blitted.push_back(rect); }
    orv::editor::MessageAnswer ShowMessage(const char* text, const char* caption,
                                           orv::editor::MessageButtons buttons) override;
    void ChooseFile(std::string& fileName, orv::editor::FileDialogMode mode, std::string& folder,
                    const char* extensions) override;

    std::vector<orv::editor::Rect> spared;  // areas left to an open text entry's box
    int destroyedTextEntries = 0;

protected:
    orv::editor::PopupMenu* RunPopupMenu(orv::editor::PopupMenu& menu, const orv::editor::Rect& rect) override;
    void Repaint(const orv::editor::Rect& dirty, const orv::editor::Rect* keep) override;
    bool CreateTextEntry(orv::editor::Control* control, const orv::editor::TextStyle& style,
                         const orv::editor::Rect& rect, const char* text,
                         orv::framework::Parameter* parameter) override;
    std::string TextEntryText() override { return typedText; }
    void DestroyTextEntry() override { ++destroyedTextEntries; }
    bool LaunchWebAddress(const char* url) override;

private:
    bool open = false;
};

}  // namespace editortest
