// The editor's graphics context, the part every platform shares: it owns the
// panel's controls and its drawing bitmap, routes mouse and keys to the
// controls, redraws dirty controls on the redraw timer, carries parameter
// values between the plug-in and the controls, and declares the services a
// platform window supplies (message boxes, popup menus, text entry, file
// dialogs, opening a web page).
//
// Without a window (this class itself) those services answer as a closed
// editor does: no choice, no file, "No" to every question. Window classes
// derive from it and implement them; tests use a scripted subclass.
//
// The control list is the drawing order; hit tests walk it backwards, so a
// later control lies on top of an earlier one.
//
// Threads: host threads reach the controls only through
// PushParameterToControls, under the plug-in's lock; the timer tick takes the
// same lock while it collects and draws. The input entry points do not take
// it, because the menus and dialogs a control opens from them are modal and
// must not stall the audio thread; a window that runs them on a thread other
// than the host's editor thread must take care of that itself.
#pragma once

#include "editor/BitmapStrip.h"
#include "editor/Colour.h"
#include "editor/Control.h"
#include "editor/Dialogs.h"
#include "editor/DisplayScale.h"
#include "editor/EditorKeys.h"
#include "editor/PopupMenu.h"
#include "editor/Rect.h"
#include "editor/TextEntrySession.h"
#include "editor/raster/RasterBitmap.h"
#include "editor/raster/TextStyle.h"
#include "framework/EditorView.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace orv::framework {
class Parameter;
class PluginBase;
}  // namespace orv::framework

namespace orv::editor {

class Graphics : public framework::EditorView {
public:
    static constexpr int kFramesPerSecond = 25;
    // The plug-in's IdleTick runs once more than this many timer ticks in a
    // row found nothing to redraw.
    static constexpr int kQuietTicksBeforeIdle = 20;
    // Wheel deltas come in 1/120 of a notch.
    static constexpr int kWheelDeltaPerNotch = 120;
    // Characters of an in-place text entry taken when it is committed.
    static constexpr size_t kEnteredTextLength = 31;
    static constexpr int kNone = -1;

    // The panel has no size until the layout gives it one (Resize).
    explicit Graphics(framework::PluginBase* plug, int width = 0, int height = 0);
    ~Graphics() override;
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // --- EditorView -----------------------------------------------------------
    int Width() const override { return width; }
    int Height() const override { return height; }
    bool CanOpenWindow() const override { return false; }
    void* OpenEditorWindow(void* /*parent*/) override { return nullptr; }
    void CloseEditorWindow() override {}
    // A real value is limited to the parameter's range and normalised first.
    // Controls bound to index take it; so does the first auxiliary entry of
    // index in any control.
    void PushParameterToControls(int index, double value, bool normalised) override;
    void CreateDrawingSurfaces() override;

    // The system's scale where the window would open; 0 when it does not
    // say (a context without a window).
    double SystemScale(void* /*parent*/) override { return 0.0; }

    // --- scale ------------------------------------------------------------------
    // The scale the layout placed the controls at; everything the context
    // draws of its own (menus, text entry, dialogs) follows it.
    const DisplayScale& Scale() const { return scale; }
    void SetScale(const DisplayScale& newScale) { scale = newScale; }

    // --- controls -------------------------------------------------------------
    // Appends a control (drawn over all before it) and returns it; null adds
    // nothing.
    Control* AddControl(std::unique_ptr<Control> control);
    // Inserts the image as control 0: drawn first, hit last, bound to nothing.
    void SetBackground(int resourceId, const char* name);
    // The image from the process-wide cache, loaded on first use; a strip
    // with no image when it cannot be loaded.
    BitmapStrip LoadImageStrip(int resourceId, const char* name, int frames);
    // Every control bound to index takes a value the editor chose.
    void SetControlsFromEditor(int index, double normalised);
    // Redraw everything (the window just opened, or a menu action changed
    // what the panel shows). Nothing is sent to the plug-in.
    void MarkAllDirty();
    int ControlCount() const { return static_cast<int>(controls.size()); }
    Control* GetControl(int index) const;
    void SetKeyCatcher(Control* control) { keyCatcher = control; }
    void SetHandleMouseOver(bool handle) { handleMouseOver = handle; }
    framework::PluginBase* Plugin() const { return plug; }

    // --- drawing ----------------------------------------------------------------
    // All drawing goes into the drawing bitmap, clipped to the area being
    // redrawn. False when nothing could be drawn (no bitmap, no image).
    bool DrawStrip(const BitmapStrip& strip, const Rect& dest, int sourceX, int sourceY, const Blend& blend);
    // Frame is 1-based; only that frame is drawn, however large dest is.
    bool DrawStripFrame(const BitmapStrip& strip, const Rect& dest, int frame, const Blend& blend);
    bool DrawStyledText(TextStyle& style, const char* text, Rect& rect, bool measure);
    bool FillArea(const Rect& rect, const Colour& colour, float alpha, uint32_t mode);
    // The union of the dirty controls' rectangles; false, and a step towards
    // the plug-in's IdleTick, when nothing is dirty.
    bool IsDirty(Rect& rect);
    // Draws the visible controls meeting rect, in list order, marks every
    // control clean and shows rect in the window.
    void Draw(const Rect& rect);
    // One tick of the redraw timer: an open text entry's pending commit or
    // cancel, else the redraw of what is dirty.
    void OnTimer();
    int TimerPeriodMilliseconds() const { return 1000 / fps; }
    RasterBitmap* DrawBitmap() const { return drawBitmap.get(); }

    // --- input (panel coordinates) ------------------------------------------------
    // While a text entry is open a press only commits or cancels it.
    void OnMouseDown(int x, int y, const MouseModifiers& mods);
    void OnMouseUp(int x, int y, const MouseModifiers& mods);
    // Moves the control that took the press.
    void OnMouseDrag(int x, int y, const MouseModifiers& mods);
    // Returns true when the window should capture the mouse.
    bool OnMouseDblClick(int x, int y, const MouseModifiers& mods);
    // delta in 1/120 notches, as wheels report it. While a text entry is
    // open the wheel cancels it.
    void OnMouseWheel(int x, int y, const MouseModifiers& mods, int delta);
    // Returns whether mouse-over is handled at all.
    bool OnMouseOver(int x, int y, const MouseModifiers& mods);
    void OnMouseOut();
    // key is an EditorKey. Returns whether a control took it; the window
    // passes keys nobody took on to the host.
    bool OnKeyDown(int x, int y, int key);
    int MouseCapture() const { return mouseCapture; }
    // True while an input or timer handler runs, with whatever menu or
    // dialog a control opened from it: the controls must not be replaced
    // (a new layout) until it has returned.
    bool InControlCall() const { return controlCallDepth > 0; }

    // --- editing values as text or from a list ------------------------------------
    // A control's right-click editor: a menu of the display texts for an
    // enumeration, an in-place text entry for anything else.
    void OpenValueEditor(Control* control, framework::Parameter* parameter, const Rect& rect);
    // Opens an in-place text entry over rect for the control; nothing when
    // there is no control, one is open already or the platform has none.
    void OpenTextEntry(Control* control, const TextStyle& style, const Rect& rect, const char* text,
                       framework::Parameter* parameter);
    bool IsTextEntryOpen() const { return textEntry.IsOpen(); }
    // The window reports its edit box's events here.
    TextEntrySession& TextEntry() { return textEntry; }
    // What a committed text entry does: the parameter takes the value of the
    // text (a display text, else a number), or the control takes the text.
    void CommitTextEntry(Control* control, const framework::Parameter* parameter, const char* text);
    // Whether a text entry for parameter lets the character through.
    static bool TextEntryAccepts(const framework::Parameter* parameter, unsigned character);

    // --- platform services ------------------------------------------------------
    virtual void BlitToWindow(const Rect& /*rect*/) {}
    // The extent the text would take in the style (see DrawStyledText).
    virtual bool MeasureText(TextStyle& style, const char* text, Rect& rect)
    {
        return DrawStyledText(style, text, rect, true);
    }
    virtual void CancelTextEntry() { textEntry.Cancel(); }
    // Deletes every control and makes bitmaps of the new size; an unchanged
    // size changes nothing.
    virtual void Resize(int newWidth, int newHeight);
    virtual bool HasWindow() const { return false; }
    virtual const char* DrawingApiName() const { return "none"; }
    virtual MessageAnswer ShowMessage(const char* text, const char* caption, MessageButtons buttons);
    // Shows the menu with its top left at (rect.left, rect.bottom); returns
    // the menu (or submenu) whose chosenIndex holds the choice, or null.
    PopupMenu* ShowPopupMenu(PopupMenu& menu, const Rect& rect);
    virtual std::string HostExecutableFolder() { return {}; }
    virtual std::string PluginFolder() { return {}; }
    virtual std::string DesktopFolder() { return {}; }
    virtual std::string AppDataFolder(bool /*common*/) { return {}; }
    // Extensions: a space-separated list such as "fxp". On return fileName is
    // the chosen path, or empty when nothing was chosen.
    virtual void ChooseFile(std::string& fileName, FileDialogMode mode, std::string& folder, const char* extensions);
    virtual bool PickColor(Colour& /*colour*/, const char* /*prompt*/) { return false; }
    // Asks first when confirmText is given; shows errorText (when given) when
    // the page cannot be opened.
    bool OpenWebAddress(const char* url, const char* caption = nullptr, const char* confirmText = nullptr,
                        const char* errorText = nullptr);
    virtual void* WindowHandle() const { return nullptr; }
    virtual bool TextFromClipboard(std::string& text)
    {
        text.clear();
        return false;
    }
    virtual void HidePointer() {}
    virtual void ShowPointer() {}
    // A PNG built into the library; null when the name does not end in
    // ".png" or the image cannot be read.
    virtual std::unique_ptr<RasterBitmap> LoadPngResource(int resourceId, const char* name);

protected:
    // The platform's menu: returns the menu holding the choice, or null.
    virtual PopupMenu* RunPopupMenu(PopupMenu& /*menu*/, const Rect& /*rect*/) { return nullptr; }
    // Opens the address in the user's browser.
    virtual bool LaunchWebAddress(const char* /*url*/) { return false; }
    // Has dirty redrawn now, except spared (when given): the control under an
    // open text entry, which the entry's box covers. Without a window it is
    // drawn into the bitmap at once.
    virtual void Repaint(const Rect& dirty, const Rect* /*spared*/) { Draw(dirty); }
    // The platform's edit box over rect showing text; false when none can be
    // made.
    virtual bool CreateTextEntry(Control* /*control*/, const TextStyle& /*style*/, const Rect& /*rect*/,
                                 const char* /*text*/, framework::Parameter* /*parameter*/)
    {
        return false;
    }
    // What the edit box holds now.
    virtual std::string TextEntryText() { return {}; }
    virtual void DestroyTextEntry() {}

    // The plug-in's lock, when there is a plug-in.
    std::unique_lock<std::recursive_mutex> LockPlugin() const;

private:
    struct ControlCall {
        explicit ControlCall(Graphics& graphics) : graphics(graphics) { ++graphics.controlCallDepth; }
        ~ControlCall() { --graphics.controlCallDepth; }
        ControlCall(const ControlCall&) = delete;
        ControlCall& operator=(const ControlCall&) = delete;
        Graphics& graphics;
    };

    int HitSearch(int x, int y, bool forMouseOver) const;
    bool ValidIndex(int index) const { return index >= 0 && index < ControlCount(); }
    void BeginEdit(int paramIdx);
    void EndEdit();
    void DeleteControls();
    void CloseTextEntry();

    std::vector<std::unique_ptr<Control>> controls;
    framework::PluginBase* plug = nullptr;
    std::unique_ptr<RasterBitmap> drawBitmap;
    std::unique_ptr<RasterBitmap> tmpBitmap;  // scratch for scaled drawing
    int width = 0;
    int height = 0;
    DisplayScale scale;
    int fps = kFramesPerSecond;
    int idleTicks = 0;
    int controlCallDepth = 0;
    int mouseCapture = kNone;
    int mouseOver = kNone;
    int mouseX = 0;
    int mouseY = 0;
    bool handleMouseOver = false;
    Control* keyCatcher = nullptr;
    // The parameter whose edit the host was told began, until it is ended;
    // every begin gets exactly one end.
    int editingParameter = kNone;
    Rect drawArea;  // the area being redrawn, empty outside Draw
    TextEntrySession textEntry;
};

}  // namespace orv::editor
