#include "instrument/OrvOptionMenu.h"

#include "editor/Graphics.h"
#include "instrument/OrvMenuActions.h"
#include "instrument/OrvPanelLayout.h"
#include "instrument/ProductSite.h"
#include "instrument/Synth.h"

#include <memory>
#include <string>

namespace orv::instrument {

OrvOptionMenu::OrvOptionMenu(Synth* instrument, const editor::Rect& rect, int paramIdx)
    : editor::Control(instrument, rect, paramIdx, editor::Blend{editor::kBlendNone, 1.0f}), instrument(instrument)
{}

bool OrvOptionMenu::Draw(editor::Graphics& /*graphics*/)
{
    return true;
}

void OrvOptionMenu::BuildMenu(const Synth& instrument, editor::PopupMenu& menu)
{
    const bool noStartupBank = instrument.StartupBankPath().empty();
    menu.AddItem("Copy Program");
    menu.AddItem("Paste Program", instrument.ClipboardHoldsProgram() ? 0 : editor::kItemDisabled);
    menu.AddItem("Init Program");
    menu.AddSeparator();
    menu.AddItem("Load Program");
    menu.AddItem("Save Program");
    menu.AddItem("Load Bank");
    menu.AddItem("Save Bank");
    menu.AddSeparator();
    menu.AddItem("Select Startup Bank");
    menu.AddItem("Load Startup Bank", noStartupBank ? editor::kItemDisabled : 0);
    menu.AddItem("Unselect Startup Bank", noStartupBank ? editor::kItemDisabled : 0);
    menu.AddSeparator();
    menu.AddItem("Default Path for Program Files");
    auto midi = std::make_unique<editor::PopupMenu>();
    midi->AddItem("MIDI Thru", instrument.MidiThru() ? editor::kItemChecked : 0);
    midi->AddItem("Ignore Program Change", instrument.IgnoresProgramChange() ? editor::kItemChecked : 0);
    menu.AddSubmenu("Global MIDI Settings...", std::move(midi));
    menu.AddItem("Reload Configuration");
    menu.AddItem("Save Configuration");
    menu.AddSeparator();
    auto online = std::make_unique<editor::PopupMenu>();
    online->AddItem("Check Online for Update");
    online->AddItem(std::string("Visit ") + kMakerSiteAddress);
    menu.AddSubmenu("Go Online...", std::move(online));
    menu.AddSeparator();
    auto sizes = std::make_unique<editor::PopupMenu>();
    const int chosen = instrument.PanelSizePercent();
    sizes->AddItem("Automatic", chosen == Synth::kPanelSizeAutomatic ? editor::kItemChecked : 0);
    for (const int percent : orvpanel::kScalePercents)
        sizes->AddItem(std::to_string(percent) + "%", chosen == percent ? editor::kItemChecked : 0);
    menu.AddSubmenu("Panel Size", std::move(sizes));
}

void OrvOptionMenu::OnMouseDown(int x, int y, const editor::MouseModifiers& /*mods*/)
{
    if (context == nullptr || instrument == nullptr)
        return;
    editor::PopupMenu menu;
    BuildMenu(*instrument, menu);
    editor::PopupMenu* chosen = context->ShowPopupMenu(menu, editor::Rect{x, y, x, y});
    if (chosen == nullptr || chosen->chosenIndex < 0)
        return;
    int action = chosen->chosenIndex;
    if (chosen == menu.Item(kActionGlobalMidiSettings).submenu.get())
        action += kMidiSettingsActionBase;
    else if (chosen == menu.Item(kActionGoOnline).submenu.get())
        action += kOnlineActionBase;
    else if (chosen == menu.Item(kActionPanelSizeMenu).submenu.get())
        action += kPanelSizeActionBase;
    RunMenuAction(*instrument, *context, action);
    context->MarkAllDirty();
}

}  // namespace orv::instrument
