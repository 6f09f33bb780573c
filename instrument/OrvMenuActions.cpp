#include "instrument/OrvMenuActions.h"

#include "editor/Graphics.h"
#include "instrument/OrvPanelLayout.h"
#include "instrument/ProductSite.h"
#include "instrument/Synth.h"
#include "instrument/UpdateCheck.h"
#include "platform/UserFolders.h"

#include <cstdio>
#include <cstring>
#include <mutex>

namespace orv::instrument {

namespace {

constexpr size_t kMessageCapacity = 1024;
constexpr char kProgramExtension[] = "fxp";
constexpr char kBankExtension[] = "fxb";
// A folder dialog is a save dialog whose file name nobody reads.
constexpr char kAnyExtension[] = " ";
constexpr char kIgnoredFileName[] = "[file name is ignored]";
constexpr char kBankFileName[] = "ORV";
constexpr char kFileNameUnsafe[] = "<>:\"/\\|?*";

struct SharedProgramFolder {
    std::mutex mutex;
    bool started = false;
    std::string folder;
};

SharedProgramFolder& ProgramFolder()
{
    static SharedProgramFolder shared;
    return shared;
}

std::string ProgramFolderFor(const Synth& instrument)
{
    SharedProgramFolder& shared = ProgramFolder();
    std::lock_guard<std::mutex> guard(shared.mutex);
    if (!shared.started) {
        shared.started = true;
        shared.folder = instrument.ProgramFilesPath();
    }
    return shared.folder;
}

void RememberProgramFolder(const std::string& folder)
{
    SharedProgramFolder& shared = ProgramFolder();
    std::lock_guard<std::mutex> guard(shared.mutex);
    shared.started = true;
    shared.folder = folder;
}

std::string WithPath(const char* format, const std::string& path)
{
    char text[kMessageCapacity + 1];
    std::snprintf(text, sizeof text, format, path.c_str());
    return text;
}

bool Confirmed(editor::Graphics& graphics, const std::string& text, const char* title)
{
    // Only a Yes goes ahead: a box closed any other way changes nothing.
    return graphics.ShowMessage(text.c_str(), title, editor::MessageButtons::kYesNo) == editor::kAnswerYes;
}

void ShowError(editor::Graphics& graphics, const char* text)
{
    graphics.ShowMessage(text, "Error", editor::MessageButtons::kOk);
}

void ShowLoadError(editor::Graphics& graphics)
{
    ShowError(graphics, "Cannot load file!");
}

void ShowSaveError(editor::Graphics& graphics)
{
    ShowError(graphics, "Cannot save file!");
}

// A file dialog for programs and banks; "" when the user cancelled. The
// folder of a chosen file is where the next such dialog opens.
std::string ChooseProgramFile(Synth& instrument, editor::Graphics& graphics, editor::FileDialogMode mode,
                              const char* extension, const std::string& proposedName)
{
    std::string path = proposedName;
    std::string folder = ProgramFolderFor(instrument);
    graphics.ChooseFile(path, mode, folder, extension);
    if (!path.empty())
        RememberProgramFolder(FolderBeforeLastSeparator(path));
    return path;
}

void LoadProgram(Synth& instrument, editor::Graphics& graphics)
{
    const std::string path =
        ChooseProgramFile(instrument, graphics, editor::FileDialogMode::kOpen, kProgramExtension, "");
    if (!path.empty() && !instrument.ReadProgramFile(path.c_str()))
        ShowLoadError(graphics);
}

void SaveProgram(Synth& instrument, editor::Graphics& graphics)
{
    const std::string proposed = ProgramFileName(instrument.GetProgramName(instrument.CurrentProgram()));
    const std::string path =
        ChooseProgramFile(instrument, graphics, editor::FileDialogMode::kSave, kProgramExtension, proposed);
    if (path.empty())
        return;
    instrument.ModifyCurrentPreset(nullptr);
    if (!instrument.WriteProgramFile(path.c_str()))
        ShowSaveError(graphics);
}

void LoadBank(Synth& instrument, editor::Graphics& graphics)
{
    const std::string path = ChooseProgramFile(instrument, graphics, editor::FileDialogMode::kOpen, kBankExtension, "");
    if (!path.empty() && !instrument.ReadBankFile(path.c_str()))
        ShowLoadError(graphics);
}

void SaveBank(Synth& instrument, editor::Graphics& graphics)
{
    const std::string path =
        ChooseProgramFile(instrument, graphics, editor::FileDialogMode::kSave, kBankExtension, kBankFileName);
    if (path.empty())
        return;
    instrument.ModifyCurrentPreset(nullptr);
    if (!instrument.WriteBankFile(path.c_str()))
        ShowSaveError(graphics);
}

void SelectStartupBank(Synth& instrument, editor::Graphics& graphics)
{
    std::string path;
    std::string folder = ProgramFolderFor(instrument);  // a copy: this dialog moves no folder
    graphics.ChooseFile(path, editor::FileDialogMode::kOpen, folder, kBankExtension);
    if (!path.empty())
        instrument.SelectStartupBank(path);
}

void LoadStartupBank(Synth& instrument, editor::Graphics& graphics)
{
    const std::string path = instrument.StartupBankPath();
    if (!Confirmed(graphics, WithPath("The Startup Bank is:\n%s\n\nDo you really want to reload all programs?", path),
                   "Load Startup Bank"))
        return;
    if (!instrument.ReadBankFile(path.c_str()))
        ShowLoadError(graphics);
}

void UnselectStartupBank(Synth& instrument, editor::Graphics& graphics)
{
    if (Confirmed(
            graphics,
            WithPath("The Startup Bank is:\n%s\n\nDo you really want to unselect it?", instrument.StartupBankPath()),
            "Unselect Startup Bank"))
        instrument.UnselectStartupBank();
}

void ChooseDefaultProgramFolder(Synth& instrument, editor::Graphics& graphics)
{
    std::string path = kIgnoredFileName;
    std::string folder = ProgramFolderFor(instrument);
    if (folder.empty())
        folder = instrument.DocumentsFolder();
    graphics.ChooseFile(path, editor::FileDialogMode::kSave, folder, kAnyExtension);
    if (path.empty())
        return;
    const std::string chosen = FolderBeforeLastSeparator(path);
    RememberProgramFolder(chosen);
    instrument.WriteProgramFilesPath(chosen);
}

void ReloadConfiguration(Synth& instrument, editor::Graphics& graphics)
{
    const std::string& iniPath = instrument.IniPath();
    if (!Confirmed(graphics,
                   WithPath("The INI configuration file is:\n%s\n\nDo you really want to reload it?", iniPath),
                   "Reload Configuration"))
        return;
    // Reading a file that is gone would reset every setting to its default;
    // the user keeps what is set now instead.
    if (iniPath.empty() || !platform::FileExists(iniPath) ||
        instrument.ReadConfiguration() == Synth::kConfigFileMissing) {
        graphics.ShowMessage("The INI file does not exist.", "Problem with INI File", editor::MessageButtons::kOk);
        return;
    }
    instrument.PanelSizeChanged();
}

void SaveConfiguration(Synth& instrument, editor::Graphics& graphics)
{
    if (Confirmed(
            graphics,
            WithPath("The INI configuration file is:\n%s\n\nDo you really want to overwrite it?", instrument.IniPath()),
            "Save Configuration"))
        instrument.WriteConfiguration(Synth::kConfigAll);
}

}  // namespace

std::string LastProgramFolder()
{
    SharedProgramFolder& shared = ProgramFolder();
    std::lock_guard<std::mutex> guard(shared.mutex);
    return shared.folder;
}

std::string FolderBeforeLastSeparator(const std::string& path)
{
    const size_t separator = path.find_last_of("\\/");
    if (separator == std::string::npos || separator == 0)
        return {};
    return path.substr(0, separator);
}

std::string ProgramFileName(const std::string& programName)
{
    std::string name = programName;
    for (char& c : name)
        if (c != '\0' && std::strchr(kFileNameUnsafe, c) != nullptr)
            c = '_';
    return name;
}

static_assert(kPanelSizes == orvpanel::kScalePercents.size(), "one menu entry per scale");

void RunMenuAction(Synth& instrument, editor::Graphics& graphics, int action)
{
    // The shared folder starts from the first instance that uses the menu.
    ProgramFolderFor(instrument);
    switch (action) {
    case kActionCopyProgram:
        instrument.CopyProgram();
        break;
    case kActionPasteProgram:
        if (Confirmed(graphics, "Do you really want to overwrite the current program?", "Paste Program"))
            instrument.PasteProgram();
        break;
    case kActionInitProgram:
        if (Confirmed(graphics, "Do you really want to initialize the current program?", "Initialize Program"))
            instrument.InitializeProgram();
        break;
    case kActionLoadProgram:
        LoadProgram(instrument, graphics);
        break;
    case kActionSaveProgram:
        SaveProgram(instrument, graphics);
        break;
    case kActionLoadBank:
        LoadBank(instrument, graphics);
        break;
    case kActionSaveBank:
        SaveBank(instrument, graphics);
        break;
    case kActionSelectStartupBank:
        SelectStartupBank(instrument, graphics);
        break;
    case kActionLoadStartupBank:
        LoadStartupBank(instrument, graphics);
        break;
    case kActionUnselectStartupBank:
        UnselectStartupBank(instrument, graphics);
        break;
    case kActionDefaultProgramFolder:
        ChooseDefaultProgramFolder(instrument, graphics);
        break;
    case kActionReloadConfiguration:
        ReloadConfiguration(instrument, graphics);
        break;
    case kActionSaveConfiguration:
        SaveConfiguration(instrument, graphics);
        break;
    case kActionMidiThru:
        instrument.SetMidiThru(!instrument.MidiThru());
        break;
    case kActionIgnoreProgramChange:
        instrument.SetIgnoreProgramChange(!instrument.IgnoresProgramChange());
        break;
    case kActionCheckForUpdate:
        CheckForUpdate(graphics);
        break;
    case kActionVisitMakerSite:
        graphics.OpenWebAddress(kMakerSiteUrl);
        break;
    default:
        if (action >= kPanelSizeActionBase && action <= kPanelSizeActionBase + kPanelSizes)
            instrument.SetPanelSize(
                action == kActionPanelSizeAutomatic
                    ? Synth::kPanelSizeAutomatic
                    : orvpanel::kScalePercents[static_cast<size_t>(action - kPanelSizeActionBase - 1)]);
        break;  // separators and submenu titles
    }
}

}  // namespace orv::instrument
