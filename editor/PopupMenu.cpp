#include "editor/PopupMenu.h"

#include <cstdio>

namespace orv::editor {

PopupMenuItem& PopupMenu::AddItem(const std::string& text, int flags, int index)
{
    PopupMenuItem item;
    item.text = text;
    item.flags = flags;
    if (index < 0 || index >= ItemCount())
        return items.emplace_back(std::move(item));
    return *items.insert(items.begin() + index, std::move(item));
}

PopupMenuItem& PopupMenu::AddSeparator(int index)
{
    return AddItem("", kItemSeparator, index);
}

PopupMenuItem& PopupMenu::AddSubmenu(const std::string& text, std::unique_ptr<PopupMenu> submenu, int index)
{
    PopupMenuItem& item = AddItem(text, 0, index);
    item.submenu = std::move(submenu);
    return item;
}

std::string PopupMenu::DisplayText(int index) const
{
    const std::string& text = Item(index).text;
    const char* format = prefix == kPrefixOneDigit      ? "%1d: %s"
                         : prefix == kPrefixTwoDigits   ? "%02d: %s"
                         : prefix == kPrefixThreeDigits ? "%03d: %s"
                                                        : nullptr;
    if (format == nullptr)
        return text;
    const int length = std::snprintf(nullptr, 0, format, index + 1, text.c_str());
    std::string shown(static_cast<size_t>(length), '\0');
    std::snprintf(shown.data(), shown.size() + 1, format, index + 1, text.c_str());
    return shown;
}

static void NumberInto(PopupMenu& menu, std::vector<MenuCommand>& commands)
{
    for (int i = 0; i < menu.ItemCount(); ++i)
        commands.push_back({&menu, i});
    for (int i = 0; i < menu.ItemCount(); ++i)
        if (menu.Item(i).submenu != nullptr)
            NumberInto(*menu.Item(i).submenu, commands);
}

std::vector<MenuCommand> NumberMenuCommands(PopupMenu& root)
{
    std::vector<MenuCommand> commands;
    NumberInto(root, commands);
    return commands;
}

}  // namespace orv::editor
