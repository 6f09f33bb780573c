// The option menu's "Check Online for Update": asks the maker's server for
// the newest version and tells the user through the editor's message boxes.
#pragma once

class Graphics;

int CheckForUpdate(Graphics& graphics);
