// A popup menu as the controls build it and the window shows it: items with
// flags, optional submenus, an optional numbering prefix, and afterwards the
// index of the chosen item.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace orv::editor {

class PopupMenu;

enum PopupItemFlags : int {
    kItemDisabled = 1,  // shown grey, cannot be chosen
    kItemTitle = 2,     // shown, cannot be chosen
    kItemChecked = 4,
    kItemSeparator = 8,
};

// Numbering put before each item text: its 1-based position.
enum PopupPrefix : int {
    kPrefixNone = 0,
    kPrefixOneDigit = 1,     // "1: text"
    kPrefixTwoDigits = 2,    // "01: text"
    kPrefixThreeDigits = 3,  // "001: text"
};

struct PopupMenuItem {
    std::string text;
    std::unique_ptr<PopupMenu> submenu;  // null for a plain item
    int flags = 0;

    bool Has(PopupItemFlags flag) const { return (flags & flag) != 0; }
};

class PopupMenu {
public:
    static constexpr int kAppend = -1;
    static constexpr int kNoChoice = -1;

    explicit PopupMenu(PopupPrefix prefix = kPrefixNone) : prefix(prefix) {}

    // Inserts before index; kAppend, a negative index or one past the end
    // appends. Returns the item.
    PopupMenuItem& AddItem(const std::string& text, int flags = 0, int index = kAppend);
    PopupMenuItem& AddSeparator(int index = kAppend);
    PopupMenuItem& AddSubmenu(const std::string& text, std::unique_ptr<PopupMenu> submenu, int index = kAppend);

    int ItemCount() const { return static_cast<int>(items.size()); }
    PopupMenuItem& Item(int index) { return items[static_cast<size_t>(index)]; }
    const PopupMenuItem& Item(int index) const { return items[static_cast<size_t>(index)]; }
    // The text as shown: with the numbering prefix, when there is one.
    std::string DisplayText(int index) const;

    PopupPrefix Prefix() const { return prefix; }
    int chosenIndex = kNoChoice;
    bool flag = false;  // free for the menu's owner

private:
    PopupPrefix prefix = kPrefixNone;
    std::vector<PopupMenuItem> items;
};

// The items of a menu tree numbered one after another for a native menu:
// first every item of a menu, then, submenu by submenu, the items below.
// Entry n is command id first + n.
struct MenuCommand {
    PopupMenu* menu = nullptr;
    int position = 0;
};
std::vector<MenuCommand> NumberMenuCommands(PopupMenu& root);

}  // namespace orv::editor
