#include "editor/Graphics.h"

#include "editor/BitmapControl.h"
#include "editor/raster/BitmapCache.h"
#include "editor/raster/Blit.h"
#include "editor/raster/Png.h"
#include "editor/raster/RasterMemBitmap.h"
#include "editor/raster/RasterSysBitmap.h"
#include "framework/PluginBase.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace orv::editor {

namespace {

constexpr unsigned kBackspace = 8;
constexpr size_t kDisplayTextCapacity = 64;

bool EndsInPng(const char* name)
{
    const char* dot = name != nullptr ? std::strrchr(name, '.') : nullptr;
    if (dot == nullptr || std::strlen(dot + 1) != 3)
        return false;
    const char* png = "png";
    for (int i = 0; i < 3; ++i)
        if (std::tolower(static_cast<unsigned char>(dot[1 + i])) != png[i])
            return false;
    return true;
}

}  // namespace

Graphics::Graphics(framework::PluginBase* plug, int width, int height) : plug(plug), width(width), height(height) {}

Graphics::~Graphics()
{
    DeleteControls();
}

std::unique_lock<std::recursive_mutex> Graphics::LockPlugin() const
{
    if (plug == nullptr)
        return {};
    return std::unique_lock<std::recursive_mutex>(plug->GetLock());
}

void Graphics::DeleteControls()
{
    while (!controls.empty())
        controls.pop_back();
    keyCatcher = nullptr;
}

// --- controls ---------------------------------------------------------------------

Control* Graphics::AddControl(std::unique_ptr<Control> control)
{
    if (control == nullptr)
        return nullptr;
    auto lock = LockPlugin();
    control->SetContext(this);
    controls.push_back(std::move(control));
    return controls.back().get();
}

void Graphics::SetBackground(int resourceId, const char* name)
{
    const BitmapStrip strip = LoadImageStrip(resourceId, name, 1);
    auto background =
        std::make_unique<BitmapControl>(plug, Rect{0, 0, strip.width, strip.height}, kNone, Blend{kBlendClobber, 1.0f});
    background->SetStrip(strip);
    background->SetContext(this);
    auto lock = LockPlugin();
    controls.insert(controls.begin(), std::move(background));
}

BitmapStrip Graphics::LoadImageStrip(int resourceId, const char* name, int frames)
{
    RasterBitmap* image = FindCachedBitmap(resourceId);
    if (image == nullptr)
        image = CacheBitmap(resourceId, LoadPngResource(resourceId, name));
    BitmapStrip strip;
    strip.image = image;
    strip.width = image != nullptr ? image->Width() : 0;
    strip.height = image != nullptr ? image->Height() : 0;
    strip.frames = std::max(frames, 1);
    return strip;
}

std::unique_ptr<RasterBitmap> Graphics::LoadPngResource(int resourceId, const char* name)
{
    if (!EndsInPng(name))
        return nullptr;
    return editor::LoadPngResource(resourceId);
}

Control* Graphics::GetControl(int index) const
{
    return ValidIndex(index) ? controls[static_cast<size_t>(index)].get() : nullptr;
}

void Graphics::PushParameterToControls(int index, double value, bool normalised)
{
    // Negative indices tell unbound controls apart; no value belongs to them.
    if (index < 0)
        return;
    if (!normalised) {
        if (plug == nullptr || !plug->IsValidParameter(index))
            return;
        value = plug->GetParameter(index).GetNormalised(value);
    }
    // A host's position outside 0..1 sets the end of the range; the controls
    // show that end.
    value = std::clamp(value, 0.0, 1.0);
    for (const auto& control : controls) {
        if (control->ParamIdx() == index)
            control->SetValueFromParameter(value);
        const std::vector<AuxParameter>& aux = control->AuxParameters();
        for (size_t i = 0; i < aux.size(); ++i) {
            if (aux[i].paramIdx == index) {
                control->SetAuxValueFromParameter(static_cast<int>(i), value);
                break;
            }
        }
    }
}

void Graphics::SetControlsFromEditor(int index, double normalised)
{
    if (index < 0)
        return;
    for (const auto& control : controls)
        if (control->ParamIdx() == index)
            control->SetValueFromEditor(normalised);
}

void Graphics::MarkAllDirty()
{
    for (const auto& control : controls)
        control->MarkDirty(false);
}

void Graphics::CreateDrawingSurfaces()
{
    drawBitmap = std::make_unique<RasterSysBitmap>(width, height);
    tmpBitmap = std::make_unique<RasterMemBitmap>();
}

void Graphics::Resize(int newWidth, int newHeight)
{
    if (newWidth == width && newHeight == height)
        return;
    {
        auto lock = LockPlugin();
        width = newWidth;
        height = newHeight;
        mouseCapture = kNone;
        mouseOver = kNone;
        CloseTextEntry();  // its control goes now
        DeleteControls();
        drawBitmap.reset();
        tmpBitmap.reset();
        CreateDrawingSurfaces();
    }
    if (plug != nullptr)
        plug->ResizeEditor();
}

// --- drawing ----------------------------------------------------------------------

bool Graphics::DrawStrip(const BitmapStrip& strip, const Rect& dest, int sourceX, int sourceY, const Blend& blend)
{
    if (drawBitmap == nullptr || strip.image == nullptr)
        return false;
    const Rect area = drawArea.IsEmpty() ? dest : dest.Intersection(drawArea);
    if (area.IsEmpty() || area.Width() <= 0 || area.Height() <= 0)
        return true;
    const int x = sourceX + area.left - dest.left;
    const int y = sourceY + area.top - dest.top;
    const RasterRect source{x, y, x + area.Width(), y + area.Height()};
    Blit(*drawBitmap, *strip.image, area.left, area.top, &source, blend.weight, RasterModeFor(blend.method));
    return true;
}

bool Graphics::DrawStripFrame(const BitmapStrip& strip, const Rect& dest, int frame, const Blend& blend)
{
    const int frames = std::max(strip.frames, 1);
    const int index = std::clamp(frame, 1, frames) - 1;
    int sourceX = 0;
    int sourceY = 0;
    if (strip.horizontal)
        sourceX = static_cast<int>(index * static_cast<double>(strip.width) / frames + 0.5);
    else
        sourceY = static_cast<int>(index * static_cast<double>(strip.height) / frames + 0.5);
    // Never more than the one frame, so a neighbouring frame cannot show.
    Rect within = dest;
    within.right = dest.left + std::min(dest.Width(), strip.FrameWidth());
    within.bottom = dest.top + std::min(dest.Height(), strip.FrameHeight());
    return DrawStrip(strip, within, sourceX, sourceY, blend);
}

bool Graphics::DrawStyledText(TextStyle& style, const char* text, Rect& rect, bool measure)
{
    if (text == nullptr || *text == '\0')
        return true;
    RasterRect area = rect.ToRaster();
    const bool drawn = editor::DrawStyledText(drawBitmap.get(), style, text, area, measure);
    if (measure)
        rect = {area.left, area.top, area.right, area.bottom};
    return drawn;
}

bool Graphics::FillArea(const Rect& rect, const Colour& colour, float alpha, uint32_t mode)
{
    if (drawBitmap == nullptr)
        return false;
    const Rect area = drawArea.IsEmpty() ? rect : rect.Intersection(drawArea);
    if (area.Width() > 0 && area.Height() > 0)
        FillRectangle(*drawBitmap, area.left, area.top, area.Width(), area.Height(), colour.Packed(), alpha, mode);
    return true;
}

bool Graphics::IsDirty(Rect& rect)
{
    bool dirty = false;
    Rect area;
    for (const auto& control : controls) {
        if (control->IsDirty()) {
            area = area.Union(control->GetRect());
            dirty = true;
        }
    }
    if (dirty) {
        rect = area;
        idleTicks = 0;
        return true;
    }
    if (++idleTicks > kQuietTicksBeforeIdle) {
        if (plug != nullptr)
            plug->IdleTick();
        idleTicks = 0;
    }
    return false;
}

void Graphics::Draw(const Rect& rect)
{
    if (controls.empty())
        return;
    drawArea = rect;
    for (size_t i = 0; i < controls.size(); ++i) {
        Control& control = *controls[i];
        if (!control.IsHidden() && !rect.IsEmpty() && !control.GetRect().IsEmpty() &&
            rect.Intersects(control.GetRect()))
            control.Draw(*this);
        control.MarkClean();
    }
    drawArea = {};
    BlitToWindow(rect);
}

void Graphics::OnTimer()
{
    // Host threads change control values under the plug-in's lock.
    auto lock = LockPlugin();
    using State = TextEntrySession::State;
    if (textEntry.IsOpen() && textEntry.GetState() != State::kIdle) {
        const ControlCall call(*this);
        if (textEntry.GetState() == State::kCommitRequested) {
            Control* control = textEntry.EditedControl();
            const framework::Parameter* parameter = textEntry.EditedParameter();
            const std::string text = TextEntryText();
            CloseTextEntry();
            CommitTextEntry(control, parameter, text.c_str());
        } else if (textEntry.GetState() == State::kCancelRequested) {
            CloseTextEntry();
        } else {
            textEntry.MarkIdle();  // a tick has passed since the focus or the paint
        }
        return;
    }
    Rect rect;
    if (!IsDirty(rect))
        return;
    if (textEntry.IsOpen()) {
        Repaint(rect, &textEntry.EditedControl()->GetRect());
        textEntry.MarkPainted();
    } else {
        Repaint(rect, nullptr);
    }
}

// --- input ------------------------------------------------------------------------

int Graphics::HitSearch(int x, int y, bool forMouseOver) const
{
    for (int i = ControlCount() - 1; i >= 0; --i) {
        const Control& control = *controls[static_cast<size_t>(i)];
        if (control.IsHidden())
            continue;
        if (control.IsGreyed() && !(forMouseOver && control.WantsMouseOverWhenGreyed()))
            continue;
        if (control.IsHit(x, y))
            return i;
    }
    return kNone;
}

void Graphics::BeginEdit(int paramIdx)
{
    if (plug == nullptr || paramIdx < 0)
        return;
    EndEdit();  // a second button pressed during a drag
    plug->BeginParameterEdit(paramIdx);
    editingParameter = paramIdx;
}

void Graphics::EndEdit()
{
    if (editingParameter == kNone)
        return;
    const int index = editingParameter;
    editingParameter = kNone;
    if (plug != nullptr)
        plug->EndParameterEdit(index);
}

void Graphics::OnMouseDown(int x, int y, const MouseModifiers& mods)
{
    const ControlCall call(*this);
    if (textEntry.IsOpen()) {
        textEntry.PanelPressed();
        return;
    }
    mouseCapture = kNone;
    mouseX = mouseY = 0;
    const int target = HitSearch(x, y, false);
    if (target == kNone)
        return;
    mouseCapture = target;
    mouseX = x;
    mouseY = y;
    Control* control = controls[static_cast<size_t>(target)].get();
    BeginEdit(control->ParamIdx());
    control->OnMouseDown(x, y, mods);
}

void Graphics::OnMouseUp(int x, int y, const MouseModifiers& mods)
{
    const ControlCall call(*this);
    const int target = ValidIndex(mouseCapture) ? mouseCapture : HitSearch(x, y, false);
    mouseCapture = kNone;
    mouseX = mouseY = 0;
    if (target != kNone)
        controls[static_cast<size_t>(target)]->OnMouseUp(x, y, mods);
    // Only an edit the press began is ended, so the host never sees an end
    // without its begin (a release after a double click has no press).
    EndEdit();
}

void Graphics::OnMouseDrag(int x, int y, const MouseModifiers& mods)
{
    const ControlCall call(*this);
    if (!ValidIndex(mouseCapture) || IsTextEntryOpen() || (x == mouseX && y == mouseY))
        return;
    const int dx = x - mouseX;
    const int dy = y - mouseY;
    mouseX = x;
    mouseY = y;
    controls[static_cast<size_t>(mouseCapture)]->OnMouseDrag(x, y, dx, dy, mods);
}

bool Graphics::OnMouseDblClick(int x, int y, const MouseModifiers& mods)
{
    const ControlCall call(*this);
    mouseCapture = kNone;
    const int target = HitSearch(x, y, false);
    if (target == kNone)
        return false;
    Control* control = controls[static_cast<size_t>(target)].get();
    if (control->DoubleClickActsAsPress()) {
        mouseCapture = target;
        mouseX = x;
        mouseY = y;
        BeginEdit(control->ParamIdx());
        control->OnMouseDown(x, y, mods);
        return true;
    }
    // A value set by a double click is an edit of its own for the host.
    BeginEdit(control->ParamIdx());
    control->OnMouseDblClick(x, y, mods);
    EndEdit();
    return false;
}

void Graphics::OnMouseWheel(int x, int y, const MouseModifiers& mods, int delta)
{
    const ControlCall call(*this);
    if (textEntry.IsOpen()) {
        textEntry.WheelTurned();
        return;
    }
    const int target = ValidIndex(mouseCapture) ? mouseCapture : HitSearch(x, y, false);
    const int notches = delta / kWheelDeltaPerNotch;  // whole notches, towards zero
    if (target == kNone || notches == 0)
        return;
    controls[static_cast<size_t>(target)]->OnMouseWheel(x, y, mods, notches);
}

bool Graphics::OnMouseOver(int x, int y, const MouseModifiers& mods)
{
    const ControlCall call(*this);
    if (!handleMouseOver)
        return false;
    const int target = ValidIndex(mouseCapture) ? mouseCapture : HitSearch(x, y, true);
    mouseX = x;
    mouseY = y;
    if (target != kNone)
        controls[static_cast<size_t>(target)]->OnMouseOver(x, y, mods);
    if (ValidIndex(mouseOver) && mouseOver != target)
        controls[static_cast<size_t>(mouseOver)]->OnMouseOut();
    mouseOver = target;
    return true;
}

void Graphics::OnMouseOut()
{
    const ControlCall call(*this);
    for (const auto& control : controls)
        control->OnMouseOut();
    mouseOver = kNone;
}

bool Graphics::OnKeyDown(int x, int y, int key)
{
    const ControlCall call(*this);
    const int target = ValidIndex(mouseCapture) ? mouseCapture : HitSearch(x, y, false);
    // Keys over the background go to the key catcher, when there is one.
    if (target == kNone || target == 0)
        return keyCatcher != nullptr && keyCatcher->OnKeyDown(x, y, key);
    return controls[static_cast<size_t>(target)]->OnKeyDown(x, y, key);
}

// --- value editors ----------------------------------------------------------------

void Graphics::OpenValueEditor(Control* control, framework::Parameter* parameter, const Rect& rect)
{
    if (control == nullptr || parameter == nullptr)
        return;
    if (parameter->kind == framework::kParameterEnumeration && parameter->HasDisplayTexts()) {
        PopupMenu menu;
        const int current = static_cast<int>(parameter->value);
        for (const framework::DisplayText& entry : parameter->displayTexts)
            menu.AddItem(entry.text, entry.value == current ? kItemChecked : 0);
        PopupMenu* chosen = ShowPopupMenu(menu, {rect.left, rect.bottom, rect.left, rect.bottom});
        if (chosen == &menu && menu.chosenIndex >= 0 && menu.chosenIndex < menu.ItemCount()) {
            const framework::DisplayText& entry = parameter->displayTexts[static_cast<size_t>(menu.chosenIndex)];
            control->SetValueFromEditor(parameter->GetNormalised(entry.value));
        }
        return;
    }
    char shown[kDisplayTextCapacity] = {};
    parameter->FormatDisplay(parameter->value, false, shown, sizeof shown, true);
    OpenTextEntry(control, control->Text(), rect, shown, parameter);
}

void Graphics::OpenTextEntry(Control* control, const TextStyle& style, const Rect& rect, const char* text,
                             framework::Parameter* parameter)
{
    if (control == nullptr || textEntry.IsOpen())
        return;
    if (CreateTextEntry(control, style, rect, text != nullptr ? text : "", parameter))
        textEntry.Open(control, parameter);
}

void Graphics::CloseTextEntry()
{
    if (!textEntry.IsOpen())
        return;
    DestroyTextEntry();
    textEntry.Close();
}

void Graphics::CommitTextEntry(Control* control, const framework::Parameter* parameter, const char* text)
{
    if (control == nullptr)
        return;
    std::string entry(text != nullptr ? text : "");
    if (entry.size() > kEnteredTextLength)
        entry.resize(kEnteredTextLength);
    if (parameter == nullptr) {
        control->ReceiveEnteredText(entry.c_str());
        return;
    }
    double v = 0.0;  // an unknown text or a number that does not parse
    if (parameter->kind == framework::kParameterEnumeration) {
        if (const framework::DisplayText* match = parameter->FindDisplayText(entry.c_str()))
            v = match->value;
    } else {
        v = std::strtod(entry.c_str(), nullptr);
        if (parameter->negateDisplay)
            v = -v;
    }
    // Committed ticks after the press that opened the entry was released, so
    // the value is an edit of its own for the host.
    BeginEdit(control->ParamIdx());
    control->SetValueFromEditor(parameter->GetNormalised(v));
    EndEdit();
}

bool Graphics::TextEntryAccepts(const framework::Parameter* parameter, unsigned character)
{
    if (parameter == nullptr || character == kBackspace)
        return true;
    if ((character >= '0' && character <= '9') || character == '+' || character == '-')
        return true;
    return character == '.' && parameter->kind == framework::kParameterDouble;
}

// --- platform services ------------------------------------------------------------

MessageAnswer Graphics::ShowMessage(const char* /*text*/, const char* /*caption*/, MessageButtons buttons)
{
    // Nobody to ask: decline anything that would change something.
    return buttons == MessageButtons::kYesNo ? kAnswerNo : kAnswerOk;
}

PopupMenu* Graphics::ShowPopupMenu(PopupMenu& menu, const Rect& rect)
{
    // The menu takes the mouse; the press that opened it is over.
    mouseCapture = kNone;
    mouseOver = kNone;
    return RunPopupMenu(menu, rect);
}

void Graphics::ChooseFile(std::string& fileName, FileDialogMode /*mode*/, std::string& /*folder*/,
                          const char* /*extensions*/)
{
    fileName.clear();
}

bool Graphics::OpenWebAddress(const char* url, const char* caption, const char* confirmText, const char* errorText)
{
    if (url == nullptr)
        return false;
    if (confirmText != nullptr && *confirmText != '\0' &&
        ShowMessage(confirmText, caption != nullptr ? caption : "", MessageButtons::kYesNo) != kAnswerYes)
        return false;
    if (LaunchWebAddress(url))
        return true;
    if (errorText != nullptr && *errorText != '\0')
        ShowMessage(errorText, caption != nullptr ? caption : "", MessageButtons::kOk);
    return false;
}

}  // namespace orv::editor
