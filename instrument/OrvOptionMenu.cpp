#include "instrument/OrvOptionMenu.h"

#include "editor/Graphics.h"
#include "instrument/OrvMenuActions.h"
#include "instrument/OrvPanelLayout.h"
#include "instrument/ProductSite.h"
#include "instrument/Synth.h"

#include <memory>
#include <string>

OrvOptionMenu::OrvOptionMenu(Synth* instrument, const Rect& rect, int paramIdx)
    : Control(instrument, rect, paramIdx, Blend{kBlendNone, 1.0f}), instrument(instrument)
{}

bool OrvOptionMenu::Draw(Graphics& /*graphics*/)
{
    return true;
}

void OrvOptionMenu::BuildMenu(const Synth& instrument, PopupMenu& menu)
{
    const bool noStartupBank = instrument.StartupBankPath().empty();
    menu.AddItem("Copy Program");
    menu.AddItem("Paste Program", instrument.ClipboardHoldsProgram() ? 0 : kItemDisabled);
    menu.AddItem("Init Program");
    menu.AddSeparator();
    menu.AddItem("Load Program");
    menu.AddItem("Save Program");
    menu.AddItem("Load Bank");
    menu.AddItem("Save Bank");
    menu.AddSeparator();
    menu.AddItem("Select Startup Bank");
    menu.AddItem("Load Startup Bank", noStartupBank ? kItemDisabled : 0);
    menu.AddItem("Unselect Startup Bank", noStartupBank ? kItemDisabled : 0);
    menu.AddSeparator();
    menu.AddItem("Default Path for Program Files");
    auto midi = std::make_unique<PopupMenu>();
    midi->AddItem("MIDI Thru", instrument.MidiThru() ? kItemChecked : 0);
    midi->AddItem("Ignore Program Change", instrument.IgnoresProgramChange() ? kItemChecked : 0);
    menu.AddSubmenu("Global MIDI Settings...", std::move(midi));
    menu.AddItem("Reload Configuration");
    menu.AddItem("Save Configuration");
    menu.AddSeparator();
    auto online = std::make_unique<PopupMenu>();
    online->AddItem("Check Online for Update");
    online->AddItem(std::string("Visit ") + kMakerSiteAddress);
    menu.AddSubmenu("Go Online...", std::move(online));
    menu.AddSeparator();
    auto sizes = std::make_unique<PopupMenu>();
    const int chosen = instrument.PanelSizePercent();
    sizes->AddItem("Automatic", chosen == Synth::kPanelSizeAutomatic ? kItemChecked : 0);
    for (const int percent : orvpanel::kScalePercents)
        sizes->AddItem(std::to_string(percent) + "%", chosen == percent ? kItemChecked : 0);
    menu.AddSubmenu("Panel Size", std::move(sizes));
}

void OrvOptionMenu::OnMouseDown(int x, int y, const MouseModifiers& /*mods*/)
{
    if (context == nullptr || instrument == nullptr)
        return;
    PopupMenu menu;
    BuildMenu(*instrument, menu);
    PopupMenu* chosen = context->ShowPopupMenu(menu, Rect{x, y, x, y});
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
