// A PopupMenu tree as a native Windows popup menu. Command ids number the
// items in the order of NumberMenuCommands, starting at kFirstMenuCommandId,
// so a chosen id leads back to its menu and position.
#pragma once

#include "editor/PopupMenu.h"

#include <windows.h>

#include <vector>

namespace orv::editor {

constexpr int kFirstMenuCommandId = 1;  // 0 is TrackPopupMenu's "nothing chosen"

// The native menu for root (commands = NumberMenuCommands(root)); null when
// none can be made. The caller destroys it.
HMENU BuildNativeMenu(PopupMenu& root, const std::vector<MenuCommand>& commands);

// The menu holding the chosen command, with its chosenIndex set; null for an
// id that is no command (nothing chosen).
PopupMenu* ChosenMenu(const std::vector<MenuCommand>& commands, int commandId);

}  // namespace orv::editor
