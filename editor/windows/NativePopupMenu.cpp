#include "editor/windows/NativePopupMenu.h"

#include "editor/windows/WideText.h"

#include <map>
#include <string>

namespace orv::editor {

namespace {

// "&" marks a mnemonic in menu texts; a name such as "Rock & Roll" keeps its
// ampersand.
std::wstring MenuText(const std::string& text)
{
    std::wstring shown;
    for (wchar_t c : WideFromUtf8(text)) {
        if (c == L'&')
            shown += L'&';
        shown += c;
    }
    return shown;
}

HMENU Build(PopupMenu& menu, const std::map<const PopupMenu*, int>& firstIds)
{
    HMENU native = CreatePopupMenu();
    if (native == nullptr)
        return nullptr;
    const auto first = firstIds.find(&menu);  // absent only for a menu without items
    const int firstId = first != firstIds.end() ? first->second : kFirstMenuCommandId;
    for (int i = 0; i < menu.ItemCount(); ++i) {
        const PopupMenuItem& item = menu.Item(i);
        const std::wstring text = MenuText(menu.DisplayText(i));
        if (item.Has(kItemSeparator)) {
            AppendMenuW(native, MF_SEPARATOR, 0, nullptr);
        } else if (item.submenu != nullptr) {
            if (HMENU submenu = Build(*item.submenu, firstIds))
                AppendMenuW(native, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
        } else {
            UINT flags = MF_STRING;
            if (item.Has(kItemDisabled))
                flags |= MF_GRAYED;
            if (item.Has(kItemTitle))
                flags |= MF_DISABLED;
            if (item.Has(kItemChecked))
                flags |= MF_CHECKED;
            AppendMenuW(native, flags, static_cast<UINT_PTR>(firstId + i), text.c_str());
        }
    }
    return native;
}

}  // namespace

HMENU BuildNativeMenu(PopupMenu& root, const std::vector<MenuCommand>& commands)
{
    // Each menu's items are numbered one after another.
    std::map<const PopupMenu*, int> firstIds;
    for (size_t n = 0; n < commands.size(); ++n)
        firstIds.try_emplace(commands[n].menu, kFirstMenuCommandId + static_cast<int>(n));
    return Build(root, firstIds);
}

PopupMenu* ChosenMenu(const std::vector<MenuCommand>& commands, int commandId)
{
    const int n = commandId - kFirstMenuCommandId;
    if (n < 0 || n >= static_cast<int>(commands.size()))
        return nullptr;
    const MenuCommand& command = commands[static_cast<size_t>(n)];
    command.menu->chosenIndex = command.position;
    return command.menu;
}

}  // namespace orv::editor
