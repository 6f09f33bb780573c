// A popup menu tree shown as our own override-redirect windows drawn with
// the raster layer, modal like a native popup menu: Run returns once the
// user chose an item, clicked outside, pressed Escape, or the panel went.
// Submenus open when the pointer rests on their item; every window is kept
// on the screen.
#pragma once

#include "editor/PopupMenu.h"
#include "editor/raster/TextStyle.h"
#include "editor/x11/X11RasterWindow.h"

#include <memory>
#include <vector>

union _XEvent;

namespace orv::editor {

class GraphicsX11;

class X11PopupMenu {
public:
    // Sizes at 100 %; a menu of a panel drawn larger is drawn as much larger.
    static constexpr int kItemHeight = 20;
    static constexpr int kSeparatorHeight = 7;
    static constexpr int kBorder = 2;

    X11PopupMenu(GraphicsX11& graphics, PopupMenu& root);
    // (x, y): the menu's top left in panel pixels. Returns the menu holding
    // the choice (its chosenIndex set), or null.
    PopupMenu* Run(int x, int y);

private:
    struct Level {
        PopupMenu* menu = nullptr;
        std::unique_ptr<X11RasterWindow> window;
        int x = 0, y = 0, width = 0, height = 0;
        int highlighted = -1;
        std::vector<int> itemTops;  // and one past the last item's bottom
    };

    void OpenLevel(PopupMenu* menu, int x, int y, int alignRight);
    void Draw(Level& level);
    void Handle(union _XEvent& event);
    // The level and item under a screen point; false when outside every menu.
    bool Find(int rootX, int rootY, int& level, int& item) const;
    static bool Choosable(const PopupMenuItem& item);

    // The sizes in pixels at the panel's scale.
    struct Metrics {
        int itemHeight;
        int separatorHeight;
        int border;
        int textHeight;
        int checkColumn;
        int arrowColumn;
        int minimumWidth;
        int checkSize;
        int separatorInset;
        int arrowInset;
    };

    GraphicsX11& graphics;
    PopupMenu& root;
    Metrics metrics;
    TextStyle style;
    std::vector<Level> levels;
    PopupMenu* chosen = nullptr;
    bool finished = false;
};

}  // namespace orv::editor
