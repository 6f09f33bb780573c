// What the option menu's entries do. Action numbers are the item's index in
// the top menu, or 22 plus the index in "Global MIDI Settings...", or 24
// plus the index in "Go Online...", or 26 plus the index in "Panel Size".
#pragma once

#include <string>

namespace orv::editor {
class Graphics;
}  // namespace orv::editor

namespace orv::instrument {

class Synth;

enum OrvMenuAction : int {
    kActionCopyProgram = 0,
    kActionPasteProgram = 1,
    kActionInitProgram = 2,
    kActionLoadProgram = 4,
    kActionSaveProgram = 5,
    kActionLoadBank = 6,
    kActionSaveBank = 7,
    kActionSelectStartupBank = 9,
    kActionLoadStartupBank = 10,
    kActionUnselectStartupBank = 11,
    kActionDefaultProgramFolder = 13,
    kActionGlobalMidiSettings = 14,  // a submenu's title
    kActionReloadConfiguration = 15,
    kActionSaveConfiguration = 16,
    kActionGoOnline = 18,       // a submenu's title
    kActionPanelSizeMenu = 20,  // a submenu's title
    kActionMidiThru = 22,
    kActionIgnoreProgramChange = 23,
    kActionCheckForUpdate = 24,
    kActionVisitMakerSite = 25,
    // "Automatic", then one entry per supported scale, smallest first.
    kActionPanelSizeAutomatic = 26,
};

// The first action number of each submenu's items.
inline constexpr int kMidiSettingsActionBase = kActionMidiThru;
inline constexpr int kOnlineActionBase = kActionCheckForUpdate;
inline constexpr int kPanelSizeActionBase = kActionPanelSizeAutomatic;
// The scales the "Panel Size" menu offers after "Automatic".
inline constexpr int kPanelSizes = 7;

// Runs one action; numbers that name no action do nothing.
void RunMenuAction(Synth& instrument, editor::Graphics& graphics, int action);

// The folder the program and bank dialogs open in, shared by every instance
// in the process: the program files folder of the first instance that uses
// the menu, then the folder of the last program or bank file chosen.
std::string LastProgramFolder();

// The folder part of a path: the text before its last "\" or "/", when that
// separator is not the first character; otherwise "".
std::string FolderBeforeLastSeparator(const std::string& path);

// A program name made into a file name: the characters < > : " / \ | ? *
// that file systems refuse become "_".
std::string ProgramFileName(const std::string& programName);

}  // namespace orv::instrument
