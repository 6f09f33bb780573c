#include "instrument/OrvUtilityKick.h"

#include "instrument/OrvPanelLayout.h"
#include "instrument/Synth.h"

namespace orv::instrument {

namespace {

// The wrap points are the instrument's 64 programs.
constexpr int kLastProgram = 63;
constexpr int kProgramsAround = 64;

}  // namespace

OrvUtilityKick::OrvUtilityKick(Synth* instrument, int x, int y, int paramIdx, const editor::BitmapStrip& strip)
    : editor::ContactControl(instrument, x, y, paramIdx, strip, editor::kBlendNone), instrument(instrument)
{}

void OrvUtilityKick::OnMouseUp(int x, int y, const editor::MouseModifiers& mods)
{
    editor::ContactControl::OnMouseUp(x, y, mods);
    if (instrument == nullptr)
        return;
    int program = instrument->CurrentProgram();
    if (paramIdx == orvpanel::kPreviousProgram) {
        program = program - 1 < 0 ? kLastProgram : program - 1;
    } else if (paramIdx == orvpanel::kNextProgram) {
        program = program + 1 >= kProgramsAround ? 0 : program + 1;
    } else {
        return;
    }
    instrument->SwitchProgram(program);
}

}  // namespace orv::instrument
