// The program read-out: the current program's number and name. A click on
// the name renames the program in place; a click on the number opens the
// program chooser, the programs in four submenus of sixteen.
#pragma once

#include "editor/Control.h"

#include <string>

namespace orv::instrument {

class Synth;

class OrvPresetMenu : public editor::Control {
public:
    static constexpr int kNameEntryLength = 253;
    static constexpr size_t kShownNameBytes = 32;
    static constexpr int kProgramsPerSubmenu = 16;
    static constexpr size_t kChooserItemLength = 32;

    OrvPresetMenu(Synth* instrument, const editor::Rect& numberRect, const editor::Rect& nameRect,
                  const editor::TextStyle& style);

    bool Draw(editor::Graphics& graphics) override;
    void OnMouseDown(int x, int y, const editor::MouseModifiers& mods) override;
    // The text entry over the name was committed: the program's new name.
    void ReceiveEnteredText(const char* text) override;

    const std::string& NumberText() const { return numberText; }
    const std::string& NameText() const { return nameText; }

private:
    void ShowProgramChooser(editor::Graphics& graphics);

    Synth* instrument = nullptr;
    editor::Rect numberRect;
    editor::Rect nameRect;
    std::string numberText;
    std::string nameText;
};

}  // namespace orv::instrument
