#include "editor/x11/X11PopupMenu.h"

#include "editor/raster/Blit.h"
#include "editor/x11/GraphicsX11.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstring>

namespace orv::editor {

namespace {

constexpr uint32_t kBackground = 0xfff4f4f4;
constexpr uint32_t kFrame = 0xff808080;
constexpr uint32_t kHighlight = 0xff3874d8;
constexpr uint32_t kText = 0xff000000;
constexpr uint32_t kHighlightedText = 0xffffffff;
constexpr uint32_t kGreyText = 0xffa0a0a0;
constexpr int kTextHeight = 13;
constexpr int kCheckColumn = 20;  // left of the text: room for the check mark
constexpr int kArrowColumn = 20;  // right of the text: room for the submenu arrow
constexpr int kMinimumWidth = 80;
constexpr int kCheckSize = 6;
constexpr int kSeparatorInset = 2;
constexpr int kArrowInset = 6;

}  // namespace

X11PopupMenu::X11PopupMenu(GraphicsX11& graphics, PopupMenu& root) : graphics(graphics), root(root)
{
    const DisplayScale& scale = graphics.Scale();
    metrics = {scale.Pixels(kItemHeight),   scale.Pixels(kSeparatorHeight), scale.Pixels(kBorder),
               scale.Pixels(kTextHeight),   scale.Pixels(kCheckColumn),     scale.Pixels(kArrowColumn),
               scale.Pixels(kMinimumWidth), scale.Pixels(kCheckSize),       scale.Pixels(kSeparatorInset),
               scale.Pixels(kArrowInset)};
    std::strcpy(style.face, "Arial");
    style.height = metrics.textHeight;
    style.alignment = kTextAlignNear;
}

bool X11PopupMenu::Choosable(const PopupMenuItem& item)
{
    return item.submenu == nullptr && !item.Has(kItemDisabled) && !item.Has(kItemTitle) && !item.Has(kItemSeparator);
}

PopupMenu* X11PopupMenu::Run(int x, int y)
{
    Display* display = graphics.XDisplay();
    int rootX = 0, rootY = 0;
    Window child = 0;
    // Where the panel is now: the host may have moved its window since.
    XTranslateCoordinates(display, graphics.XWindow(), DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    OpenLevel(&root, rootX, rootY, -1);
    if (levels.empty())
        return nullptr;
    const Window grabWindow = levels.front().window->Handle();
    XGrabPointer(display, grabWindow, True, ButtonPressMask | ButtonReleaseMask | PointerMotionMask, GrabModeAsync,
                 GrabModeAsync, None, None, CurrentTime);
    XGrabKeyboard(display, grabWindow, True, GrabModeAsync, GrabModeAsync, CurrentTime);
    graphics.RunModalLoop([this](XEvent& event) { Handle(event); }, [this] { return finished; });
    XUngrabKeyboard(display, CurrentTime);
    XUngrabPointer(display, CurrentTime);
    levels.clear();
    XFlush(display);
    return chosen;
}

void X11PopupMenu::OpenLevel(PopupMenu* menu, int x, int y, int alignRight)
{
    if (menu == nullptr || menu->ItemCount() == 0)
        return;
    Level level;
    level.menu = menu;
    int width = metrics.minimumWidth;
    int top = metrics.border;
    for (int i = 0; i < menu->ItemCount(); ++i) {
        level.itemTops.push_back(top);
        const PopupMenuItem& item = menu->Item(i);
        if (item.Has(kItemSeparator)) {
            top += metrics.separatorHeight;
            continue;
        }
        RasterRect extent{0, 0, 0, 0};
        DrawStyledText(nullptr, style, menu->DisplayText(i), extent, true);
        width = std::max(width,
                         metrics.checkColumn + extent.right - extent.left + metrics.arrowColumn + 2 * metrics.border);
        top += metrics.itemHeight;
    }
    level.itemTops.push_back(top);
    level.width = width;
    level.height = top + metrics.border;
    Display* display = graphics.XDisplay();
    const int screenWidth = DisplayWidth(display, DefaultScreen(display));
    const int screenHeight = DisplayHeight(display, DefaultScreen(display));
    // Kept on the screen: a submenu that does not fit on the right opens on
    // the left of its parent; a menu too low moves up.
    if (x + level.width > screenWidth)
        x = alignRight >= 0 ? alignRight - level.width : screenWidth - level.width;
    x = std::max(0, x);
    y = std::max(0, std::min(y, screenHeight - level.height));
    level.x = x;
    level.y = y;
    level.window = std::make_unique<X11RasterWindow>(display, x, y, level.width, level.height, true, 0, nullptr);
    levels.push_back(std::move(level));
    Draw(levels.back());
}

void X11PopupMenu::Draw(Level& level)
{
    RasterMemBitmap& bitmap = level.window->Bitmap();
    FillRectangle(bitmap, 0, 0, level.width, level.height, kFrame, 1.0f, kRasterCopy);
    FillRectangle(bitmap, 1, 1, level.width - 2, level.height - 2, kBackground, 1.0f, kRasterCopy);
    for (int i = 0; i < level.menu->ItemCount(); ++i) {
        const PopupMenuItem& item = level.menu->Item(i);
        const int top = level.itemTops[static_cast<size_t>(i)];
        if (item.Has(kItemSeparator)) {
            FillRectangle(bitmap, metrics.border + metrics.separatorInset, top + metrics.separatorHeight / 2,
                          level.width - 2 * (metrics.border + metrics.separatorInset), 1, kFrame, 1.0f, kRasterCopy);
            continue;
        }
        const bool lit = i == level.highlighted && !item.Has(kItemDisabled) && !item.Has(kItemTitle);
        if (lit)
            FillRectangle(bitmap, metrics.border, top, level.width - 2 * metrics.border, metrics.itemHeight, kHighlight,
                          1.0f, kRasterCopy);
        TextStyle itemStyle = style;
        itemStyle.colour = item.Has(kItemDisabled) ? kGreyText : lit ? kHighlightedText : kText;
        RasterRect area{metrics.border + metrics.checkColumn, top + (metrics.itemHeight - metrics.textHeight) / 2 - 1,
                        level.width, top + metrics.itemHeight};
        DrawStyledText(&bitmap, itemStyle, level.menu->DisplayText(i), area, false);
        if (item.Has(kItemChecked))
            FillRectangle(bitmap, metrics.border + (metrics.checkColumn - metrics.checkSize) / 2,
                          top + (metrics.itemHeight - metrics.checkSize) / 2, metrics.checkSize, metrics.checkSize,
                          itemStyle.colour, 1.0f, kRasterCopy);
        if (item.submenu != nullptr) {
            RasterRect arrow{level.width - metrics.border - metrics.arrowColumn + metrics.arrowInset, area.top,
                             level.width, area.bottom};
            DrawStyledText(&bitmap, itemStyle, ">", arrow, false);
        }
    }
    level.window->Show();
}

bool X11PopupMenu::Find(int rootX, int rootY, int& levelIndex, int& item) const
{
    // The deepest level lies on top.
    for (int l = static_cast<int>(levels.size()) - 1; l >= 0; --l) {
        const Level& level = levels[static_cast<size_t>(l)];
        const int x = rootX - level.x;
        const int y = rootY - level.y;
        if (x < 0 || y < 0 || x >= level.width || y >= level.height)
            continue;
        levelIndex = l;
        item = -1;
        for (int i = 0; i < level.menu->ItemCount(); ++i)
            if (y >= level.itemTops[static_cast<size_t>(i)] && y < level.itemTops[static_cast<size_t>(i) + 1] &&
                x >= metrics.border && x < level.width - metrics.border)
                item = i;
        return true;
    }
    return false;
}

void X11PopupMenu::Handle(XEvent& event)
{
    int levelIndex = -1;
    int item = -1;
    switch (event.type) {
    case Expose:
        for (Level& level : levels)
            if (level.window->Handle() == event.xexpose.window && event.xexpose.count == 0)
                level.window->Show();
        break;
    case MotionNotify: {
        if (!Find(event.xmotion.x_root, event.xmotion.y_root, levelIndex, item))
            break;
        Level& level = levels[static_cast<size_t>(levelIndex)];
        if (level.highlighted == item)
            break;
        // Leaving a submenu's item closes what was open below this level.
        levels.resize(static_cast<size_t>(levelIndex) + 1);
        level.highlighted = item;
        Draw(level);
        if (item >= 0 && level.menu->Item(item).submenu != nullptr && !level.menu->Item(item).Has(kItemDisabled)) {
            Level& parent = levels[static_cast<size_t>(levelIndex)];
            OpenLevel(parent.menu->Item(item).submenu.get(), parent.x + parent.width - metrics.border,
                      parent.y + parent.itemTops[static_cast<size_t>(item)] - metrics.border,
                      parent.x + metrics.border);
        }
        break;
    }
    case ButtonPress:
        if (!Find(event.xbutton.x_root, event.xbutton.y_root, levelIndex, item))
            finished = true;  // a click outside the menu closes it
        break;
    case ButtonRelease:
        if (event.xbutton.button > 3)
            break;
        if (Find(event.xbutton.x_root, event.xbutton.y_root, levelIndex, item) && item >= 0) {
            PopupMenu* menu = levels[static_cast<size_t>(levelIndex)].menu;
            if (Choosable(menu->Item(item))) {
                menu->chosenIndex = item;
                chosen = menu;
                finished = true;
            }
        }
        break;
    case KeyPress:
        if (XLookupKeysym(&event.xkey, 0) == XK_Escape)
            finished = true;
        break;
    case FocusOut:
        break;
    default:
        break;
    }
}

}  // namespace orv::editor
