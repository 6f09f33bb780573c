#include "instrument/OrvPresetMenu.h"

#include "editor/Graphics.h"
#include "instrument/ProgramNameText.h"
#include "instrument/Synth.h"

#include <cstdio>
#include <memory>

namespace orv::instrument {

OrvPresetMenu::OrvPresetMenu(Synth* instrument, const editor::Rect& numberRect, const editor::Rect& nameRect,
                             const editor::TextStyle& style)
    : editor::Control(instrument, numberRect.Union(nameRect), -1, editor::Blend{editor::kBlendNone, 1.0f}),
      instrument(instrument), numberRect(numberRect), nameRect(nameRect)
{
    text = style;
    textEntryLength = kNameEntryLength;
}

bool OrvPresetMenu::Draw(editor::Graphics& graphics)
{
    if (instrument == nullptr)
        return true;
    const int current = instrument->CurrentProgram();
    char number[16];
    std::snprintf(number, sizeof number, "%02d", current);
    numberText = number;
    nameText = CleanProgramName(instrument->GetProgramName(current), kShownNameBytes);
    if (numberText.empty())
        return true;
    editor::Rect numberArea = numberRect;
    editor::Rect nameArea = nameRect;
    return graphics.DrawStyledText(text, numberText.c_str(), numberArea, false) &&
           graphics.DrawStyledText(text, nameText.c_str(), nameArea, false);
}

void OrvPresetMenu::OnMouseDown(int x, int y, const editor::MouseModifiers& /*mods*/)
{
    if (context == nullptr || instrument == nullptr)
        return;
    if (nameRect.Contains(x, y))
        context->OpenTextEntry(this, text, nameRect, instrument->GetProgramName(instrument->CurrentProgram()), nullptr);
    else
        ShowProgramChooser(*context);
    context->MarkAllDirty();
}

void OrvPresetMenu::ShowProgramChooser(editor::Graphics& graphics)
{
    constexpr int kSubmenus = 4;
    editor::PopupMenu chooser;
    editor::PopupMenu* submenu = nullptr;
    const int current = instrument->CurrentProgram();
    for (int i = 0; i < instrument->ProgramCount(); ++i) {
        if (i % kProgramsPerSubmenu == 0 && i < kSubmenus * kProgramsPerSubmenu) {
            char title[32];
            std::snprintf(title, sizeof title, "%02d - %02d", i, i + kProgramsPerSubmenu - 1);
            submenu = chooser.AddSubmenu(title, std::make_unique<editor::PopupMenu>()).submenu.get();
        }
        char item[300];
        std::snprintf(item, sizeof item, "%02u: %s", static_cast<unsigned>(i), instrument->GetProgramName(i));
        submenu->AddItem(CleanProgramName(item, kChooserItemLength), i == current ? editor::kItemChecked : 0);
    }
    editor::PopupMenu* chosen = graphics.ShowPopupMenu(chooser, rect);
    if (chosen == nullptr || chosen->chosenIndex < 0)
        return;
    for (int s = 0; s < chooser.ItemCount(); ++s) {
        if (chooser.Item(s).submenu.get() == chosen) {
            instrument->SwitchProgram(chosen->chosenIndex + s * kProgramsPerSubmenu);
            return;
        }
    }
}

void OrvPresetMenu::ReceiveEnteredText(const char* entered)
{
    if (instrument == nullptr || entered == nullptr)
        return;
    // An empty entry keeps the old name (the program stays findable in the
    // chooser and the host's list); the values are stored either way.
    const std::string name = CleanProgramName(entered, framework::ProgramSlot::kMaxNameLength);
    {
        framework::PluginBase::LockGuard guard(instrument->GetLock());
        instrument->ModifyCurrentPreset(name.c_str());
        instrument->NotifyProgramChange();
        instrument->ReportAllParametersToHost();
    }
    MarkDirty(false);
}

}  // namespace orv::instrument
