#include "editor/x11/GraphicsX11.h"

#include "editor/Control.h"
#include "editor/FileDialogText.h"
#include "editor/raster/Blit.h"
#include "editor/x11/X11DialogTool.h"
#include "editor/x11/X11DisplayScale.h"
#include "editor/x11/X11ErrorTrap.h"
#include "editor/x11/X11FallbackDialog.h"
#include "editor/x11/X11KeyMap.h"
#include "editor/x11/X11PopupMenu.h"

#include "platform/Process.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace orv::editor {

namespace {

using Clock = std::chrono::steady_clock;

constexpr long kEventMask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask |
                            KeyReleaseMask | StructureNotifyMask | FocusChangeMask;
constexpr unsigned kPointerGrabMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
constexpr int kWheelNotch = Graphics::kWheelDeltaPerNotch;
constexpr unsigned kButtonLeft = 1, kButtonMiddle = 2, kButtonRight = 3, kWheelUp = 4, kWheelDown = 5;
constexpr int kCaretWidth = 1;
constexpr int kFieldPadding = 2;
constexpr uint32_t kSelectionColour = 0xff3874d8;
constexpr uint32_t kSelectedTextColour = 0xffffffff;
constexpr size_t kTypedCapacity = 32;

MouseModifiers ModifiersFrom(unsigned state, unsigned pressedButton)
{
    MouseModifiers mods;
    mods.left = (state & Button1Mask) != 0 || pressedButton == kButtonLeft;
    mods.right = (state & Button3Mask) != 0 || pressedButton == kButtonRight;
    mods.shift = (state & ShiftMask) != 0;
    mods.control = (state & ControlMask) != 0;
    mods.alt = (state & Mod1Mask) != 0;
    return mods;
}

long MillisecondsBetween(Time earlier, Time later)
{
    return static_cast<long>(later - earlier);  // X times wrap; the difference does not care
}

}  // namespace

GraphicsX11::GraphicsX11(framework::PluginBase* plug, int width, int height) : Graphics(plug, width, height) {}

GraphicsX11::~GraphicsX11()
{
    CloseEditorWindow();
}

void* GraphicsX11::OpenEditorWindow(void* parentHandle)
{
    const Window newParent = static_cast<Window>(reinterpret_cast<uintptr_t>(parentHandle));
    if (newParent == 0 || DrawBitmap() == nullptr)
        return nullptr;
    CloseEditorWindow();  // a host opening twice gets one window
    display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return nullptr;
    X11ErrorTrap::Register(display);
    {
        X11ErrorTrap trap(display);
        const int screen = DefaultScreen(display);
        XSetWindowAttributes attributes{};
        attributes.event_mask = kEventMask;
        attributes.background_pixmap = None;  // we paint every pixel: no flashing background
        attributes.border_pixel = 0;
        attributes.colormap = DefaultColormap(display, screen);
        window =
            XCreateWindow(display, newParent, 0, 0, static_cast<unsigned>(Width()), static_cast<unsigned>(Height()), 0,
                          DefaultDepth(display, screen), InputOutput, DefaultVisual(display, screen),
                          CWEventMask | CWBackPixmap | CWBorderPixel | CWColormap, &attributes);
        if (!trap.SyncFailed()) {
            SetSizeHints();
            XStoreName(display, window, "ORV");
            gc = XCreateGC(display, window, 0, nullptr);
            XMapWindow(display, window);
        }
        if (trap.SyncFailed() || !CreateImage()) {
            window = 0;  // a parent that is gone (or a server we cannot draw for)
        }
    }
    if (window == 0) {
        ForgetWindow();
        return nullptr;
    }
    parent = newParent;
    windowThread = std::this_thread::get_id();
    painted = false;
    nextTick = Clock::now();
    MarkAllDirty();
    return reinterpret_cast<void*>(window);
}

double GraphicsX11::SystemScale(void* /*parent*/)
{
    // Our own short connection: the window's does not exist yet.
    double scale = 0.0;
    if (Display* query = XOpenDisplay(nullptr)) {
        if (const char* resources = XResourceManagerString(query))
            scale = XftDpiScale(resources);
        XCloseDisplay(query);
    }
    if (scale > 0.0)
        return scale;
    return GdkScale(std::getenv("GDK_SCALE"));
}

void GraphicsX11::SetSizeHints()
{
    XSizeHints* hints = XAllocSizeHints();
    if (hints == nullptr)
        return;
    hints->flags = PSize | PMinSize | PMaxSize;
    hints->width = hints->min_width = hints->max_width = Width();
    hints->height = hints->min_height = hints->max_height = Height();
    XSetWMNormalHints(display, window, hints);
    XFree(hints);
}

void GraphicsX11::Resize(int newWidth, int newHeight)
{
    if (newWidth == Width() && newHeight == Height())
        return;
    const bool open = window != 0;
    if (open) {
        X11ErrorTrap trap(display);
        DestroyImage();
        trap.SyncFailed();
    }
    Graphics::Resize(newWidth, newHeight);
    if (!open)
        return;
    X11ErrorTrap trap(display);
    XResizeWindow(display, window, static_cast<unsigned>(Width()), static_cast<unsigned>(Height()));
    SetSizeHints();
    if (!CreateImage())
        image = nullptr;  // nothing is shown until the window goes; the panel still works
    trap.SyncFailed();
    MarkAllDirty();
}

bool GraphicsX11::CreateImage()
{
    const int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    const int depth = DefaultDepth(display, screen);
    // The bitmap's pixels are 0xAARRGGBB words: the usual 24-bit TrueColor
    // layout, so they go to the server as they are.
    if ((depth != 24 && depth != 32) || visual->red_mask != 0xff0000 || visual->green_mask != 0xff00 ||
        visual->blue_mask != 0xff)
        return false;
    const unsigned w = static_cast<unsigned>(Width());
    const unsigned h = static_cast<unsigned>(Height());
    if (XShmQueryExtension(display)) {
        image = XShmCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, nullptr, &shm, w, h);
        if (image != nullptr) {
            shm.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * h, IPC_CREAT | 0600);
            shm.shmaddr =
                shm.shmid >= 0 ? static_cast<char*>(shmat(shm.shmid, nullptr, 0)) : reinterpret_cast<char*>(-1);
            if (shm.shmaddr != reinterpret_cast<char*>(-1)) {
                image->data = shm.shmaddr;
                shm.readOnly = False;
                X11ErrorTrap trap(display);
                XShmAttach(display, &shm);
                usingShm = !trap.SyncFailed();  // a remote server refuses
                // Removed now, freed when the last user detaches: nothing
                // is left behind whatever happens to us.
                shmctl(shm.shmid, IPC_RMID, nullptr);
                if (usingShm)
                    return true;
                shmdt(shm.shmaddr);
            } else if (shm.shmid >= 0) {
                shmctl(shm.shmid, IPC_RMID, nullptr);
            }
            image->data = nullptr;
            XDestroyImage(image);
            image = nullptr;
        }
    }
    // Without shared memory the image points at the bitmap itself.
    RasterBitmap* bitmap = DrawBitmap();
    image = XCreateImage(display, visual, static_cast<unsigned>(depth), ZPixmap, 0,
                         reinterpret_cast<char*>(bitmap->Pixels()), w, h, 32, bitmap->RowSpan() * 4);
    return image != nullptr;
}

void GraphicsX11::DestroyImage()
{
    if (image == nullptr)
        return;
    if (usingShm) {
        XShmDetach(display, &shm);
        XSync(display, False);
        shmdt(shm.shmaddr);
    }
    image->data = nullptr;  // never ours to free: the bitmap's or detached
    XDestroyImage(image);
    image = nullptr;
    usingShm = false;
}

void GraphicsX11::CloseEditorWindow()
{
    if (display == nullptr)
        return;
    if (IsTextEntryOpen())
        CancelTextEntry();
    {
        X11ErrorTrap trap(display);
        if (grabbed)
            XUngrabPointer(display, CurrentTime);
        DestroyImage();
        if (gc != nullptr)
            XFreeGC(display, gc);
        if (window != 0)
            XDestroyWindow(display, window);  // already gone with a destroyed parent: the trap takes it
        trap.SyncFailed();
    }
    ForgetWindow();
}

void GraphicsX11::ForgetWindow()
{
    if (display != nullptr) {
        X11ErrorTrap::Unregister(display);
        XCloseDisplay(display);
    }
    if (IsTextEntryOpen()) {
        field.reset();
        TextEntry().Close();
    }
    field.reset();
    display = nullptr;
    window = parent = topLevel = 0;
    gc = nullptr;
    image = nullptr;
    usingShm = false;
    grabbed = false;
}

Window GraphicsX11::HostTopLevel()
{
    if (display == nullptr || parent == 0)
        return 0;
    if (topLevel != 0)
        return topLevel;
    X11ErrorTrap trap(display);
    Window current = parent;
    for (;;) {
        Window root = 0, up = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, current, &root, &up, &children, &count))
            return 0;
        if (children != nullptr)
            XFree(children);
        if (up == root || up == 0)
            break;
        current = up;
    }
    topLevel = current;
    return topLevel;
}

// --- painting ---------------------------------------------------------------------

void GraphicsX11::PutArea(int x, int y, int w, int h)
{
    x = std::max(x, 0);
    y = std::max(y, 0);
    w = std::min(w, Width() - x);
    h = std::min(h, Height() - y);
    if (image == nullptr || window == 0 || w <= 0 || h <= 0)
        return;
    if (usingShm) {
        const RasterBitmap& bitmap = *DrawBitmap();
        for (int row = y; row < y + h; ++row)
            std::memcpy(image->data + static_cast<size_t>(row) * image->bytes_per_line + static_cast<size_t>(x) * 4,
                        bitmap.Row(row) + x, static_cast<size_t>(w) * 4);
        XShmPutImage(display, window, gc, image, x, y, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), False);
        // The segment is written again on the next paint: wait until the
        // server has read it.
        XSync(display, False);
    } else {
        XPutImage(display, window, gc, image, x, y, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h));
        XFlush(display);
    }
}

void GraphicsX11::BlitToWindow(const Rect& rect)
{
    if (std::this_thread::get_id() != windowThread) {
        std::lock_guard<std::mutex> lock(pendingMutex);
        pendingArea = pendingArea.IsEmpty() ? rect : pendingArea.Union(rect);
        return;
    }
    if (field.has_value() && rect.Intersects(field->rect))
        DrawField();
    PutArea(rect.left, rect.top, rect.Width(), rect.Height());
}

void GraphicsX11::Repaint(const Rect& dirty, const Rect* /*spared*/)
{
    // The field lives in the same bitmap and is drawn again over the
    // control under it (BlitToWindow), so nothing needs sparing.
    Draw(dirty);
}

// --- the idle call --------------------------------------------------------------

void GraphicsX11::IdleEditorWindow()
{
    if (display == nullptr || inIdle)
        return;
    inIdle = true;
    {
        X11ErrorTrap trap(display);
        DrainEvents();
        if (window != 0 && !painted) {
            painted = true;
            OnTimer();
            PutArea(0, 0, Width(), Height());
        }
        RunTimerIfDue();
        Rect pending;
        {
            std::lock_guard<std::mutex> lock(pendingMutex);
            std::swap(pending, pendingArea);
        }
        if (!pending.IsEmpty())
            BlitToWindow(pending);
    }
    inIdle = false;
}

void GraphicsX11::RunTimerIfDue()
{
    if (window == 0)
        return;
    const Clock::time_point now = Clock::now();
    if (now < nextTick)
        return;
    const auto period = std::chrono::milliseconds(TimerPeriodMilliseconds());
    nextTick += period;
    if (nextTick <= now)  // idle came late: do not run the missed ticks
        nextTick = now + period;
    OnTimer();
}

void GraphicsX11::DrainEvents()
{
    while (display != nullptr && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        HandleEvent(event);
    }
}

void GraphicsX11::HandleEvent(XEvent& event)
{
    if (event.xany.window != window || window == 0)
        return;
    switch (event.type) {
    case Expose: {
        Rect area{event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                  event.xexpose.y + event.xexpose.height};
        // The rest of the exposed area comes in the events queued behind.
        XEvent more;
        while (XCheckTypedWindowEvent(display, window, Expose, &more))
            area = area.Union({more.xexpose.x, more.xexpose.y, more.xexpose.x + more.xexpose.width,
                               more.xexpose.y + more.xexpose.height});
        PutArea(area.left, area.top, area.Width(), area.Height());
        break;
    }
    case MapNotify:
        PutArea(0, 0, Width(), Height());
        break;
    case DestroyNotify:
        if (event.xdestroywindow.window == window)
            window = 0;  // the host destroyed its window, and ours with it
        break;
    case ButtonPress:
        HandleButtonPress(event.xbutton);
        break;
    case ButtonRelease:
        HandleButtonRelease(event.xbutton);
        break;
    case MotionNotify:
        HandleMotion(event.xmotion);
        break;
    case KeyPress:
    case KeyRelease: {
        char typed[kTypedCapacity] = {};
        KeySym keySym = NoSymbol;
        const int length = XLookupString(&event.xkey, typed, sizeof typed - 1, &keySym, nullptr);
        HandleKey(keySym, std::string(typed, static_cast<size_t>(std::max(length, 0))), event.xkey.state,
                  event.type == KeyPress, KeySource::kWindow);
        break;
    }
    case FocusIn:
        if (IsTextEntryOpen() && event.xfocus.detail != NotifyPointer)
            TextEntry().FocusGained();
        break;
    case FocusOut: {
        // The user went elsewhere with the rename field open: drop it.
        // Focus events also come from the focus moving between the pointer
        // and us, so only where the focus is now counts.
        Window focused = 0;
        int revert = 0;
        XGetInputFocus(display, &focused, &revert);
        if (IsTextEntryOpen() && event.xfocus.mode == NotifyNormal && focused != window)
            TextEntry().Cancel();
        break;
    }
    default:
        break;
    }
}

void GraphicsX11::HandleButtonPress(const XButtonEvent& event)
{
    if (event.button == kWheelUp || event.button == kWheelDown) {
        OnMouseWheel(event.x, event.y, ModifiersFrom(event.state, 0),
                     event.button == kWheelUp ? kWheelNotch : -kWheelNotch);
        return;
    }
    if (event.button != kButtonLeft && event.button != kButtonRight && event.button != kButtonMiddle)
        return;  // horizontal wheel (6, 7) and extra buttons
    if (field.has_value() && field->rect.Contains(event.x, event.y)) {
        // A click inside the field moves its caret.
        TextStyle measureStyle = field->style;
        const std::string& text = field->editing.Text();
        size_t best = 0;
        for (size_t i = 0; i <= text.size(); ++i) {
            Rect extent{field->rect.left + Scale().Pixels(kFieldPadding), field->rect.top, field->rect.right,
                        field->rect.bottom};
            RasterRect r = extent.ToRaster();
            measureStyle.alignment = kTextAlignNear;
            editor::DrawStyledText(nullptr, measureStyle, std::string_view(text).substr(0, i), r, true);
            if (r.right <= event.x)
                best = i;
        }
        field->editing.PlaceCaret(best);
        DrawField();
        PutArea(field->rect.left, field->rect.top, field->rect.Width() + 1, field->rect.Height() + 1);
        return;
    }
    const MouseModifiers mods = ModifiersFrom(event.state, event.button);
    const bool isDoubleClick = !lastWasDoubleClick && event.button == lastPressButton &&
                               MillisecondsBetween(lastPressTime, event.time) <= kDoubleClickMilliseconds &&
                               std::abs(event.x - lastPressX) <= kDoubleClickSlop &&
                               std::abs(event.y - lastPressY) <= kDoubleClickSlop && event.button == kButtonLeft;
    lastPressButton = event.button;
    lastPressTime = event.time;
    lastPressX = event.x;
    lastPressY = event.y;
    lastWasDoubleClick = isDoubleClick;
    // Our own grab: the drag goes on outside the window and its release
    // comes back to us.
    if (!IsTextEntryOpen() && !grabbed) {
        grabbed = XGrabPointer(display, window, False, kPointerGrabMask, GrabModeAsync, GrabModeAsync, None, None,
                               event.time) == GrabSuccess;
    }
    if (isDoubleClick)
        OnMouseDblClick(event.x, event.y, mods);
    else
        OnMouseDown(event.x, event.y, mods);
}

void GraphicsX11::HandleButtonRelease(const XButtonEvent& event)
{
    if (event.button != kButtonLeft && event.button != kButtonRight && event.button != kButtonMiddle)
        return;
    const unsigned pressed = event.state & (Button1Mask | Button2Mask | Button3Mask);
    const unsigned released = event.button == kButtonLeft    ? Button1Mask
                              : event.button == kButtonRight ? Button3Mask
                                                             : Button2Mask;
    if (grabbed && (pressed & ~released) == 0 && display != nullptr) {
        XUngrabPointer(display, event.time);
        grabbed = false;
    }
    // Like the Windows window, the middle button presses but never releases
    // a control.
    if (event.button != kButtonMiddle)
        OnMouseUp(event.x, event.y, ModifiersFrom(event.state & ~released, 0));
}

void GraphicsX11::HandleMotion(XMotionEvent& event)
{
    // Only the newest position of a burst matters.
    XEvent newer;
    while (XCheckTypedWindowEvent(display, window, MotionNotify, &newer))
        event = newer.xmotion;
    const MouseModifiers mods = ModifiersFrom(event.state, 0);
    if (mods.left || mods.right)
        OnMouseDrag(event.x, event.y, mods);
    else
        OnMouseOver(event.x, event.y, mods);
}

// --- keys -------------------------------------------------------------------------

bool GraphicsX11::HostKeyDown(const framework::HostKey& key)
{
    if (display == nullptr || window == 0)
        return false;
    const KeySym keySym = KeySymForHostKey(key);
    std::string typed;
    if (key.name == framework::HostKey::Name::kNone && key.character >= 0x20 && key.character < 0x7f)
        typed.assign(1, static_cast<char>(key.character));
    X11ErrorTrap trap(display);
    return HandleKey(keySym, typed, 0, true, KeySource::kHost);
}

bool GraphicsX11::HostKeyUp(const framework::HostKey& key)
{
    if (display == nullptr || window == 0)
        return false;
    X11ErrorTrap trap(display);
    return HandleKey(KeySymForHostKey(key), {}, 0, false, KeySource::kHost);
}

bool GraphicsX11::IsDuplicateKey(KeySym keySym, bool down, KeySource source)
{
    const Clock::time_point now = Clock::now();
    const bool duplicate = recentKey.keySym == keySym && recentKey.down == down && recentKey.source != source &&
                           now - recentKey.when <= std::chrono::milliseconds(kDuplicateKeyMilliseconds);
    // A duplicate is forgotten too, so a third arrival (a real repeat) counts.
    recentKey = duplicate ? RecentKey{} : RecentKey{keySym, down, source, now};
    return duplicate;
}

bool GraphicsX11::HandleKey(KeySym keySym, const std::string& typed, unsigned state, bool down, KeySource source)
{
    if (keySym == NoSymbol || IsDuplicateKey(keySym, down, source))
        return field.has_value();  // the field takes every key while it is open
    if (field.has_value())
        return down ? EditField(keySym, typed, state) : true;
    if (!down)
        return false;
    const int key = EditorKeyForKeySym(keySym);
    if (key < 0)
        return false;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask);
    // Keys nobody takes stay the host's (it handles what we do not take).
    return OnKeyDown(x, y, key);
}

bool GraphicsX11::EditField(KeySym keySym, const std::string& typed, unsigned state)
{
    const bool shift = (state & ShiftMask) != 0;
    TextFieldEditing& editing = field->editing;
    switch (keySym) {
    case XK_Return:
    case XK_KP_Enter:
        TextEntry().EnterPressed();
        return true;
    case XK_Escape:
        TextEntry().EscapePressed();
        return true;
    case XK_BackSpace:
        editing.Backspace();
        break;
    case XK_Delete:
    case XK_KP_Delete:
        editing.Delete();
        break;
    case XK_Left:
    case XK_KP_Left:
        editing.Left(shift);
        break;
    case XK_Right:
    case XK_KP_Right:
        editing.Right(shift);
        break;
    case XK_Home:
    case XK_KP_Home:
        editing.Home(shift);
        break;
    case XK_End:
    case XK_KP_End:
        editing.End(shift);
        break;
    default: {
        if ((state & ControlMask) != 0 && (keySym == XK_a || keySym == XK_A)) {
            editing.SelectAll();
            break;
        }
        std::string accepted;
        for (char c : typed)
            if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f &&
                TextEntryAccepts(TextEntry().EditedParameter(), static_cast<unsigned char>(c)))
                accepted += c;
        if (accepted.empty())
            return true;
        editing.Insert(accepted);
        break;
    }
    }
    DrawField();
    PutArea(field->rect.left, field->rect.top, field->rect.Width() + 1, field->rect.Height() + 1);
    return true;
}

// --- the rename field -----------------------------------------------------------

bool GraphicsX11::CreateTextEntry(Control* control, const TextStyle& style, const Rect& rect, const char* text,
                                  framework::Parameter* /*parameter*/)
{
    if (window == 0 || display == nullptr)
        return false;
    const size_t limit = control->TextEntryLength() > 0 ? static_cast<size_t>(control->TextEntryLength()) : 0;
    Field opened{rect, style, TextFieldEditing(text, limit), 0, RevertToParent};
    opened.style.font = nullptr;
    X11ErrorTrap trap(display);
    // The keyboard is ours only while the field is open.
    XGetInputFocus(display, &opened.focusBefore, &opened.revertBefore);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    field.emplace(std::move(opened));  // FocusIn tells the session it has the keyboard
    DrawField();
    PutArea(rect.left, rect.top, rect.Width() + 1, rect.Height() + 1);
    return true;
}

std::string GraphicsX11::TextEntryText()
{
    return field.has_value() ? field->editing.Text() : std::string();
}

void GraphicsX11::DestroyTextEntry()
{
    if (!field.has_value())
        return;
    const Window focusBefore = field->focusBefore;
    const int revertBefore = field->revertBefore;
    field.reset();
    if (Control* control = TextEntry().EditedControl())
        control->MarkDirty(false);  // the field's pixels go on the next tick
    if (display != nullptr && window != 0) {
        X11ErrorTrap trap(display);
        Window focused = 0;
        int revert = 0;
        XGetInputFocus(display, &focused, &revert);
        // Give the focus back where it was (the pointer's, when nobody had
        // it), unless the user has moved it already.
        if (focused == window)
            XSetInputFocus(display, focusBefore != None ? focusBefore : PointerRoot,
                           focusBefore != None ? revertBefore : RevertToPointerRoot, CurrentTime);
        trap.SyncFailed();
    }
}

void GraphicsX11::DrawField()
{
    RasterBitmap* bitmap = DrawBitmap();
    if (!field.has_value() || bitmap == nullptr)
        return;
    const Field& f = *field;
    const Rect box{f.rect.left, f.rect.top, f.rect.right + 1, f.rect.bottom + 1};
    FillRectangle(*bitmap, box.left, box.top, box.Width(), box.Height(), f.style.entryBackground, 1.0f, kRasterCopy);
    TextStyle style = f.style;
    style.alignment = kTextAlignNear;
    style.colour = f.style.entryForeground;
    const std::string& text = f.editing.Text();
    const int padding = Scale().Pixels(kFieldPadding);
    auto extentOf = [&](size_t bytes) {
        RasterRect r{box.left + padding, box.top, box.right, box.bottom};
        editor::DrawStyledText(nullptr, style, std::string_view(text).substr(0, bytes), r, true);
        return bytes == 0 ? box.left + padding : r.right;
    };
    const int selectionLeft = extentOf(f.editing.SelectionStart());
    const int selectionRight = extentOf(f.editing.SelectionEnd());
    if (f.editing.HasSelection())
        FillRectangle(*bitmap, selectionLeft, box.top + 1, selectionRight - selectionLeft, box.Height() - 2,
                      kSelectionColour, 1.0f, kRasterCopy);
    RasterRect textArea{box.left + padding, box.top + 1, box.right, box.bottom};
    editor::DrawStyledText(bitmap, style, text, textArea, false);
    if (f.editing.HasSelection()) {
        // The selected part again, in the selection's text colour.
        TextStyle selected = style;
        selected.colour = kSelectedTextColour;
        RasterRect part{selectionLeft, box.top + 1, box.right, box.bottom};
        const size_t start = f.editing.SelectionStart();
        editor::DrawStyledText(bitmap, selected, std::string_view(text).substr(start, f.editing.SelectionEnd() - start),
                               part, false);
    } else {
        FillRectangle(*bitmap, extentOf(f.editing.Caret()), box.top + 2, Scale().Pixels(kCaretWidth), box.Height() - 4,
                      f.style.entryForeground, 1.0f, kRasterCopy);
    }
}

// --- modal loops: menus and dialogs ---------------------------------------------

void GraphicsX11::RunModalLoop(const std::function<void(XEvent&)>& handle, const std::function<bool()>& done,
                               int extraFd)
{
    while (display != nullptr && window != 0 && !done()) {
        while (display != nullptr && XPending(display) > 0 && !done()) {
            XEvent event;
            XNextEvent(display, &event);
            // The panel only keeps itself painted; its input goes to the
            // menu or dialog (a press on the panel closes a menu).
            if (event.xany.window == window &&
                (event.type == Expose || event.type == MapNotify || event.type == DestroyNotify))
                HandleEvent(event);
            else
                handle(event);
        }
        if (window == 0 || done())
            break;
        RunTimerIfDue();
        pollfd waits[2] = {{ConnectionNumber(display), POLLIN, 0}, {extraFd, POLLIN, 0}};
        poll(waits, extraFd >= 0 ? 2 : 1, TimerPeriodMilliseconds());
    }
}

PopupMenu* GraphicsX11::RunPopupMenu(PopupMenu& menu, const Rect& rect)
{
    if (display == nullptr || window == 0)
        return nullptr;
    X11ErrorTrap trap(display);
    if (grabbed) {
        XUngrabPointer(display, CurrentTime);
        grabbed = false;
    }
    X11PopupMenu popup(*this, menu);
    PopupMenu* chosen = popup.Run(rect.left, rect.bottom);
    MarkAllDirty();  // as a native menu invalidates the window
    return chosen;
}

MessageAnswer GraphicsX11::ShowMessage(const char* text, const char* caption, MessageButtons buttons)
{
    if (display == nullptr || window == 0)
        return Graphics::ShowMessage(text, caption, buttons);
    X11ErrorTrap trap(display);
    const X11DialogTool tool = X11DialogTool::Find(HostStartEnvironment());
    if (tool.Available()) {
        std::optional<MessageAnswer> answer = tool.AskMessage(AsDialogOwner(), text, caption, buttons);
        if (answer.has_value())
            return *answer;
    }
    return X11FallbackDialog::AskMessage(*this, text, caption, buttons);
}

void GraphicsX11::ChooseFile(std::string& fileName, FileDialogMode mode, std::string& folder, const char* extensions)
{
    if (display == nullptr || window == 0) {
        fileName.clear();
        return;
    }
    X11ErrorTrap trap(display);
    const X11DialogTool tool = X11DialogTool::Find(HostStartEnvironment());
    std::optional<std::string> chosen;
    if (tool.Available())
        chosen = tool.ChooseFile(AsDialogOwner(), fileName, mode, folder, extensions);
    if (!chosen.has_value())
        chosen = X11FallbackDialog::AskFileName(*this, fileName, mode, folder, extensions);
    fileName = *chosen;
    if (!fileName.empty())
        folder = FolderOfPath(fileName);
}

DialogOwner GraphicsX11::AsDialogOwner()
{
    return {HostTopLevel(), [this](const std::function<bool()>& done, int descriptor) {
                RunModalLoop([](XEvent&) {}, done, descriptor);
            }};
}

bool GraphicsX11::LaunchWebAddress(const char* url)
{
    return platform::SpawnDetached({"xdg-open", url}, HostStartEnvironment());
}

}  // namespace orv::editor
