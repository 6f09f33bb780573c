#include "tests/editor/ScriptedGraphics.h"

#include "editor/FileDialogText.h"
#include "framework/PluginBase.h"

using namespace orv::editor;
using namespace orv::framework;

namespace editortest {

namespace {

void Describe(const PopupMenu& menu, const std::string& indent, std::vector<std::string>& lines)
{
    for (int i = 0; i < menu.ItemCount(); ++i) {
        const PopupMenuItem& item = menu.Item(i);
        if (item.Has(kItemSeparator)) {
            lines.push_back(indent + "-");
            continue;
        }
        std::string line = indent + menu.DisplayText(i);
        if (item.Has(kItemDisabled))
            line += " [grey]";
        if (item.Has(kItemTitle))
            line += " [title]";
        if (item.Has(kItemChecked))
            line += " [checked]";
        lines.push_back(line);
        if (item.submenu != nullptr)
            Describe(*item.submenu, indent + "  ", lines);
    }
}

}  // namespace

std::vector<std::string> ScriptedGraphics::DescribeMenu(const PopupMenu& menu)
{
    std::vector<std::string> lines;
    Describe(menu, "", lines);
    return lines;
}

void* ScriptedGraphics::OpenEditorWindow(void* parent)
{
    openedParents.push_back(parent);
    if (!windowAvailable)
        return nullptr;
    open = true;
    MarkAllDirty();
    return this;  // any non-null handle
}

void ScriptedGraphics::CloseEditorWindow()
{
    ++closeCount;
    open = false;
}

MessageAnswer ScriptedGraphics::ShowMessage(const char* text, const char* caption, MessageButtons buttons)
{
    messages.push_back({text, caption, buttons});
    if (messageAnswers.empty())
        return Graphics::ShowMessage(text, caption, buttons);
    const MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

PopupMenu* ScriptedGraphics::RunPopupMenu(PopupMenu& menu, const Rect& rect)
{
    menus.push_back({DescribeMenu(menu), rect});
    if (menuChoices.empty())
        return nullptr;
    const std::vector<int> path = menuChoices.front();
    menuChoices.pop_front();
    PopupMenu* current = &menu;
    for (size_t step = 0; step < path.size(); ++step) {
        const int index = path[step];
        if (index < 0 || index >= current->ItemCount())
            return nullptr;
        const PopupMenuItem& item = current->Item(index);
        if (step + 1 < path.size()) {
            if (item.submenu == nullptr)
                return nullptr;
            current = item.submenu.get();
            continue;
        }
        // A real menu cannot choose these either.
        if (item.flags & (kItemDisabled | kItemTitle | kItemSeparator) || item.submenu != nullptr)
            return nullptr;
        current->chosenIndex = index;
        return current;
    }
    return nullptr;
}

bool ScriptedGraphics::CreateTextEntry(Control* /*control*/, const TextStyle& /*style*/, const Rect& rect,
                                       const char* text, Parameter* parameter)
{
    int paramIdx = -1;
    if (parameter != nullptr && Plugin() != nullptr)
        for (int i = 0; i < Plugin()->ParameterCount(); ++i)
            if (&Plugin()->GetParameter(i) == parameter)
                paramIdx = i;
    textEntries.push_back({text, rect, paramIdx});
    typedText = text;  // a box opens showing the current text
    return true;
}

void ScriptedGraphics::Repaint(const Rect& dirty, const Rect* keep)
{
    if (keep != nullptr)
        spared.push_back(*keep);
    Graphics::Repaint(dirty, keep);
}

void ScriptedGraphics::ChooseFile(std::string& fileName, FileDialogMode mode, std::string& folder,
                                  const char* extensions)
{
    fileRequests.push_back({fileName, folder, extensions != nullptr ? extensions : "", mode});
    fileName.clear();
    if (chosenFiles.empty())
        return;
    fileName = chosenFiles.front();
    chosenFiles.pop_front();
    // Like a system dialog: the folder becomes the chosen file's folder.
    folder = FolderOfPath(fileName);
}

bool ScriptedGraphics::LaunchWebAddress(const char* url)
{
    webAddresses.push_back(url);
    return webPagesOpen;
}

}  // namespace editortest
