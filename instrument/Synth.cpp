#include "instrument/Synth.h"

#include "editor/Control.h"
#include "editor/EditorGraphics.h"
#include "instrument/SettingsText.h"
#include "instrument/TuningLibrary.h"
#include "platform/ProfileIni.h"
#include "platform/Resources.h"
#include "platform/UserFolders.h"

#include <algorithm>
#include <cstdio>

namespace orv::instrument {

namespace {

constexpr const char* kVendorFolder = "Tarnwick";
constexpr const char* kIniFileName = "orv.ini";
constexpr size_t kPathCapacity = 259;                // "Startup Bank" / "File"
constexpr size_t kValueCapacity = 64;                // every other key
constexpr const char* kPanelSizeKey = "Panel Size";  // "Global": "Automatic" or a percentage
constexpr const char* kPanelSizeAutomaticText = "Automatic";
// Sizes beyond this are nonsense; they are taken as the largest the panel has.
constexpr double kLargestPanelSizePercent = 1000.0;

// A percentage, or automatic for anything else (older versions write no key).
int PanelSizeFromText(const std::string& text)
{
    const double percent = ParseSettingNumber(text);
    if (!(percent > 0.0))
        return Synth::kPanelSizeAutomatic;
    return static_cast<int>(std::min(percent, kLargestPanelSizePercent));
}

}  // namespace

Synth::Synth(const framework::PluginDescription& description, framework::vst::HostCallback hostCallback)
    : framework::VstPlugin(description, hostCallback)
{
    graphics = editor::CreateEditorGraphics(this);
    std::fill(std::begin(controlMap), std::end(controlMap), -1);
    OpenConfiguration();
    BindTuningLibrary();
    tuning = std::make_unique<engine::MtsClient>(engine::ProcessMtsBinding());
}

Synth::~Synth()
{
    // The framework must not reach the context while it goes.
    DetachEditor();
}

// --- configuration ----------------------------------------------------------------

void Synth::OpenConfiguration()
{
    const std::string settings = platform::LocalSettingsFolder();
    if (!settings.empty()) {
        const std::string folder = settings + platform::PathSeparator() + kVendorFolder;
        platform::EnsureFolder(settings);  // ~/.config itself may not exist yet on a fresh account
        platform::EnsureFolder(folder);
        iniPath = folder + platform::PathSeparator() + kIniFileName;
    }
    documentsFolder = platform::DocumentsFolder();
    programFilesPath = documentsFolder;
    if (iniPath.empty())
        return;
    if (platform::FileExists(iniPath) || platform::CreateEmptyFile(iniPath))
        Synth::ReadConfiguration();
}

Synth::ConfigStatus Synth::ReadConfiguration()
{
    return ReadShellSettings(platform::ProfileSnapshot(iniPath));
}

Synth::ConfigStatus Synth::ReadShellSettings(const platform::ProfileSnapshot& file)
{
    const bool exists = !iniPath.empty() && platform::FileExists(iniPath);
    auto read = [&](const char* section, const char* key, const char* fallback, size_t capacity) {
        return iniPath.empty() ? std::string(fallback) : file.Read(section, key, fallback, capacity);
    };

    startupBankPath.clear();
    const std::string bank = read("Startup Bank", "File", "", kPathCapacity);
    if (!bank.empty())
        startupBankPath = bank;

    const std::string folder = read("Global", "Path to Program Files", "", kValueCapacity);
    if (!folder.empty())
        programFilesPath = folder;

    panelSizePercent = PanelSizeFromText(read("Global", kPanelSizeKey, kPanelSizeAutomaticText, kValueCapacity));

    const std::string thru = read("MIDI Global", "MIDI Thru", midiThru ? "true" : "false", kValueCapacity);
    if (!thru.empty())
        midiThru = EqualsIgnoringCase(thru, "true");
    const std::string ignore =
        read("MIDI Global", "Ignore Program Change", ignoreProgramChange ? "true" : "false", kValueCapacity);
    if (!ignore.empty())
        ignoreProgramChange = EqualsIgnoringCase(ignore, "true");

    for (int n = 0; n < kControllerCount; ++n) {
        char key[16];
        std::snprintf(key, sizeof key, "CC%i", n);
        const std::string value = read("MIDI Control", key, "-1", kValueCapacity);
        controlMap[n] = value.empty() ? -1 : ParseControllerEntry(value);
    }
    return exists ? kConfigOk : kConfigFileMissing;
}

void Synth::WriteStartupBankEntry()
{
    if (iniPath.empty())
        return;
    platform::ClearProfileSection(iniPath, "Startup Bank");
    platform::WriteProfileString(iniPath, "Startup Bank", "File", startupBankPath.c_str());
}

void Synth::WriteConfiguration(int selector)
{
    WriteStartupBankEntry();
    if (iniPath.empty())
        return;
    if (selector < 0 || selector == kConfigMidiThru)
        platform::WriteProfileString(iniPath, "MIDI Global", "MIDI Thru", midiThru ? "true" : "false");
    if (selector < 0 || selector == kConfigIgnoreProgramChange)
        platform::WriteProfileString(iniPath, "MIDI Global", "Ignore Program Change",
                                     ignoreProgramChange ? "true" : "false");
    if (selector < 0) {
        WritePanelSize();
        platform::ClearProfileSection(iniPath, "MIDI Control");
        for (int n = 0; n < kControllerCount; ++n) {
            if (controlMap[n] == -1)
                continue;
            char key[16];
            char value[16];
            std::snprintf(key, sizeof key, "CC%i", n);
            std::snprintf(value, sizeof value, "%i", static_cast<int>(controlMap[n]));
            platform::WriteProfileString(iniPath, "MIDI Control", key, value);
        }
    }
}

void Synth::SetPanelSize(int percent)
{
    panelSizePercent = std::max(percent, kPanelSizeAutomatic);
    WritePanelSize();
    PanelSizeChanged();
}

void Synth::WritePanelSize()
{
    if (iniPath.empty())
        return;
    const std::string text =
        panelSizePercent == kPanelSizeAutomatic ? kPanelSizeAutomaticText : std::to_string(panelSizePercent);
    platform::WriteProfileString(iniPath, "Global", kPanelSizeKey, text.c_str());
}

void Synth::SelectStartupBank(const std::string& path)
{
    startupBankPath = path;
    WriteStartupBankEntry();
}

void Synth::UnselectStartupBank()
{
    startupBankPath.clear();
    if (!iniPath.empty())
        platform::ClearProfileSection(iniPath, "Startup Bank");
}

void Synth::WriteProgramFilesPath(const std::string& folder)
{
    programFilesPath = folder;
    if (!iniPath.empty())
        platform::WriteProfileString(iniPath, "Global", "Path to Program Files", programFilesPath.c_str());
}

void Synth::SetMidiThru(bool on)
{
    midiThru = on;
    WriteConfiguration(kConfigMidiThru);
}

void Synth::SetIgnoreProgramChange(bool on)
{
    ignoreProgramChange = on;
    WriteConfiguration(kConfigIgnoreProgramChange);
}

void Synth::ReplaceEditorGraphics(std::unique_ptr<editor::Graphics> context)
{
    if (context == nullptr)
        return;
    LockGuard guard(GetLock());
    DetachEditor();
    ForgetEditorControls();
    graphics = std::move(context);
    CreateEditorLayout();
    RefreshParameterControls();
    AttachEditor(graphics.get());
}

// --- processing hooks -----------------------------------------------------------------

void Synth::ResetProcessing()
{
    LockGuard guard(GetLock());
    learnArmed = false;
    // The switch must not go on showing a learn that is no longer armed.
    TurnLearnSwitchOff();
}

void Synth::ParameterChanged(int index)
{
    LockGuard guard(GetLock());
    if (learnArmed && index >= 0 && index < ParameterCount()) {
        learnTarget = index;
        CompleteMidiLearn();
    }
}

void Synth::ActivationChanged(bool active)
{
    if (!active)
        return;
    LockGuard guard(GetLock());
    for (int i = 0; i < ParameterCount(); ++i)
        ParameterChanged(i);
}

// --- MIDI learn -------------------------------------------------------------------------

void Synth::ArmMidiLearn(bool armed, bool forget)
{
    LockGuard guard(GetLock());
    learnCc = -1;
    learnTarget = -1;
    learnForget = forget;
    learnArmed = armed;
}

void Synth::LearnController(int controller)
{
    LockGuard guard(GetLock());
    learnCc = controller;
    CompleteMidiLearn();
}

void Synth::CompleteMidiLearn()
{
    LockGuard guard(GetLock());
    if (learnArmed && !learnForget) {
        if (learnCc >= 0 && learnCc < kControllerCount && learnTarget != -1) {
            for (int32_t& entry : controlMap)
                if (entry == learnTarget)
                    entry = -1;
            controlMap[learnCc] = learnTarget;
            learnArmed = false;
        }
    } else if (learnArmed && learnCc >= 0 && learnCc < kControllerCount) {
        controlMap[learnCc] = -1;
        learnArmed = false;
        learnForget = false;
    } else if (learnArmed && learnTarget != -1) {
        for (int32_t& entry : controlMap)
            if (entry == learnTarget)
                entry = -1;
        learnArmed = false;
        learnForget = false;
    }
    if (!learnArmed)
        TurnLearnSwitchOff();
}

void Synth::TurnLearnSwitchOff()
{
    // Only the value and the dirty flag change here, on whichever thread
    // completed the learn; the window draws the switch on its next tick.
    if (learnSwitch == nullptr)
        return;
    learnSwitch->SetValueFromParameter(0.0);
    learnSwitch->MarkDirty(true);
}

// --- programs ---------------------------------------------------------------------------

bool Synth::LoadBankFromMemory(const unsigned char* bytes, size_t size)
{
    LockGuard guard(GetLock());
    framework::SerialBuffer bank;
    if (bytes == nullptr || !bank.PutBytes(bytes, size))
        return false;
    // The file header is stepped over unchecked: eight int32 fields, 124
    // reserved bytes and the chunk size.
    int position = bank.Size() >= 160 ? 160 : -1;
    if (position >= 0) {
        int32_t magic = 0;
        if (bank.GetInt32(position, magic) >= 0 && magic == kChunkMagic)
            position += 8;
    }
    const int end = UnserializePresets(bank, position);
    NotifyProgramChange();
    return end >= 0;
}

bool Synth::LoadFactoryBank()
{
    platform::ResourceBytes resource;
    if (!platform::FindLibraryResource("PROGDATA", "PROGINIT", resource))
        return false;
    return LoadBankFromMemory(resource.data, resource.size);
}

void Synth::LoadStartupBank()
{
    if (!startupBankPath.empty() && ReadBankFile(startupBankPath.c_str()))
        return;
    startupBankPath.clear();
    LoadFactoryBank();
}

void Synth::InitializeProgram()
{
    LockGuard guard(GetLock());
    for (int i = 0; i < ParameterCount(); ++i) {
        const framework::Parameter& parameter = GetParameter(i);
        SetParameterFromEditor(i, parameter.GetNormalised(parameter.defaultValue));
    }
    ModifyCurrentPreset("Init");
    RefreshParameterControls();
    ReportAllParametersToHost();
}

void Synth::SwitchProgram(int index)
{
    LockGuard guard(GetLock());
    ModifyCurrentPreset(nullptr);
    RecallProgram(index);
    NotifyProgramChange();
    ReportAllParametersToHost();
}

void Synth::CopyProgram()
{
    LockGuard guard(GetLock());
    ModifyCurrentPreset(nullptr);
    clipboardProgramIndex = CurrentProgram();
    programClipboard.Clear();
    WriteProgramState(programClipboard);
}

void Synth::PasteProgram()
{
    LockGuard guard(GetLock());
    if (programClipboard.Size() == 0)
        return;
    ReadProgramState(programClipboard, 0);
    const std::string name = GetProgramName(clipboardProgramIndex);
    ModifyCurrentPreset(name.empty() ? nullptr : name.c_str());
    RefreshParameterControls();
    ReportAllParametersToHost();
}

}  // namespace orv::instrument
