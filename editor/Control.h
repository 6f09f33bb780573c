// The base of every element of the editor panel: a rectangle, an optional
// bound parameter, a normalised value (0..1) and the operations through which
// the graphics context draws it and hands it the mouse and the keyboard.
//
// Values flow two ways. The plug-in shows a parameter in a control with
// SetValueFromParameter (nothing goes back to the plug-in); a control the
// user moves sets its value and calls MarkDirty(true), which limits the value
// to its clamp range and sends it to the plug-in as an edit of the bound
// parameter. Either way the control is dirty until the context redraws it.
#pragma once

#include "editor/Blend.h"
#include "editor/MouseModifiers.h"
#include "editor/Rect.h"
#include "editor/raster/TextStyle.h"

#include <string>
#include <vector>

namespace orv::framework {
class PluginBase;
}  // namespace orv::framework

namespace orv::editor {

class Graphics;
class TextControl;

// A second parameter a control shows besides its own.
struct AuxParameter {
    double value = 0.0;  // normalised
    int paramIdx = -1;
};

class Control {
public:
    static constexpr int kDefaultTextEntryLength = 7;
    static constexpr double kNoDefault = -1.0;

    // paramIdx < 0 binds no parameter.
    Control(framework::PluginBase* plug, const Rect& rect, int paramIdx, Blend blend);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual void OnMouseDown(int x, int y, const MouseModifiers& mods);
    virtual void OnMouseUp(int x, int y, const MouseModifiers& mods);
    virtual void OnMouseDrag(int x, int y, int dx, int dy, const MouseModifiers& mods);
    // Returns to the default value, when the control has one.
    virtual void OnMouseDblClick(int x, int y, const MouseModifiers& mods);
    // d: whole wheel notches, positive away from the user.
    virtual void OnMouseWheel(int x, int y, const MouseModifiers& mods, int d);
    // Returns whether the key was taken.
    virtual bool OnKeyDown(int x, int y, int key);
    virtual void OnMouseOver(int x, int y, const MouseModifiers& mods);
    virtual void OnMouseOut();
    // Draws into the context's drawing bitmap; false when something could
    // not be drawn.
    virtual bool Draw(Graphics& graphics);
    virtual void SetValueFromParameter(double v);
    virtual void SetValueFromEditor(double v);
    virtual void ReceiveEnteredText(const char* text);
    virtual void SetHidden(bool hide);
    virtual void SetGreyed(bool grey);
    virtual bool IsHit(int x, int y) const;
    // Limits the value, marks the control for redrawing and, with push, sends
    // the value to the bound parameter.
    virtual void MarkDirty(bool push);
    virtual void MarkClean();
    virtual bool IsDirty() const;
    virtual void SetAuxValueFromParameter(int auxIndex, double v);

    // --- facts for the graphics context and the layout ----------------------
    int ParamIdx() const { return paramIdx; }
    double Value() const { return value; }
    double DefaultValue() const { return defaultValue; }
    const Rect& GetRect() const { return rect; }
    const Rect& TargetRect() const { return targetRect; }
    bool IsHidden() const { return hidden; }
    bool IsGreyed() const { return greyed; }
    bool DoubleClickActsAsPress() const { return dblAsSingleClick; }
    bool WantsMouseOverWhenGreyed() const { return mouseOverWhenGreyed; }
    const Blend& GetBlend() const { return blend; }
    TextStyle& Text() { return text; }
    int TextEntryLength() const { return textEntryLength; }
    const std::vector<AuxParameter>& AuxParameters() const { return auxParams; }
    const std::string& Tooltip() const { return tooltip; }

    void SetTextEntryLength(int length) { textEntryLength = length; }
    void SetTextStyle(const TextStyle& style) { text = style; }
    void SetClampRange(double lo, double hi)
    {
        clampLo = lo;
        clampHi = hi;
    }
    void SetPromptDisabled(bool disabled) { promptDisabled = disabled; }
    void SetDoubleClickActsAsPress(bool acts) { dblAsSingleClick = acts; }
    void SetMouseOverWhenGreyed(bool wants) { mouseOverWhenGreyed = wants; }
    void SetTooltip(const std::string& tip) { tooltip = tip; }
    void AddAuxParameter(int index) { auxParams.push_back({0.0, index}); }
    void SetValueDisplay(TextControl* display) { valueDisplay = display; }
    void SetNameDisplay(TextControl* display) { nameDisplay = display; }

    // The context that owns the control (set when it is added).
    Graphics* Context() const { return context; }
    void SetContext(Graphics* graphics) { context = graphics; }

protected:
    // The right-click value editor of the bound parameter, unless prompting
    // is disabled (it is by default).
    void OpenValueEditor();
    void SetRect(const Rect& r)
    {
        rect = r;
        targetRect = r;
    }

    int textEntryLength = kDefaultTextEntryLength;
    TextStyle text;  // the raster layer's text style record
    framework::PluginBase* plug = nullptr;
    Rect rect;        // where it draws
    Rect targetRect;  // where it takes the mouse
    int paramIdx = -1;
    std::vector<AuxParameter> auxParams;
    double value = 0.0;
    double defaultValue = kNoDefault;
    double clampLo = 0.0;
    double clampHi = 1.0;
    bool dirty = true;
    bool hidden = false;
    bool greyed = false;
    bool redraw = false;  // a change made while drawing waits for the next redraw
    bool promptDisabled = true;
    bool dblAsSingleClick = false;
    bool mouseOverWhenGreyed = false;
    Blend blend;
    TextControl* valueDisplay = nullptr;
    TextControl* nameDisplay = nullptr;
    std::string tooltip;
    Graphics* context = nullptr;
};

}  // namespace orv::editor
