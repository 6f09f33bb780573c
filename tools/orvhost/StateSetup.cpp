#include "tools/orvhost/StateSetup.h"

#include "tools/orvhost/ExitCode.h"
#include "tools/orvhost/OptionValues.h"
#include "tools/orvhost/ProgramLookup.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace orv::host {

namespace {

// Parameter indexes are int32 in the protocol.
constexpr int64_t kMaxParameterIndex = INT32_MAX;

bool ReadSetting(const std::string& text, ParameterSetting& setting, std::string& error)
{
    const size_t equals = text.find('=');
    if (equals == std::string::npos) {
        error = "--set needs INDEX=VALUE, not '" + text + "'";
        return false;
    }
    setting.text = text;
    if (!ParseIntegerText("--set index", std::string_view(text).substr(0, equals), 0, kMaxParameterIndex, setting.index,
                          error))
        return false;
    const std::string_view valueText = std::string_view(text).substr(equals + 1);
    double value = 0.0;
    const char* end = valueText.data() + valueText.size();
    auto [stop, status] = std::from_chars(valueText.data(), end, value, std::chars_format::fixed);
    if (valueText.empty() || status != std::errc{} || stop != end || !std::isfinite(value) || value < 0.0 ||
        value > 1.0) {
        error = "--set " + text + ": the value must be a number from 0 to 1 (parameters are set normalised)";
        return false;
    }
    setting.value = static_cast<float>(value);
    return true;
}

int ChooseProgram(HostSession& session, const StateSetup& setup, std::string_view command, const Console& console)
{
    std::vector<std::string> names;
    for (int32_t i = 0; i < session.ProgramCount(); ++i)
        names.push_back(session.ProgramName(i));
    int32_t index = 0;
    std::string error;
    if (!FindProgram(setup.program, names, index, error)) {
        console.UsageError(command, "--program: " + error);
        return kExitUsage;
    }
    session.SelectProgram(index);
    console.Note("program " + std::to_string(index) + " \"" + names[static_cast<size_t>(index)] + "\"");
    return kExitSuccess;
}

}  // namespace

std::string StateOptionHelp(bool withSave)
{
    std::string help = "  --load FILE         load a preset file first: a bank (.fxb) or one\n"
                       "                      program (.fxp, loaded into the chosen program)\n"
                       "  --program P         choose program P, an index or a name\n"
                       "  --set I=V           set parameter I to the normalised value V (0..1);\n"
                       "                      may be repeated\n";
    if (withSave)
        help += "  --save FILE         save the state after the above, as the program\n"
                "                      (FILE.fxp) or the whole bank (FILE.fxb)\n";
    return help;
}

bool ReadSaveTarget(const std::string& path, std::string_view what, StateSetup& setup, std::string& error)
{
    if (path.empty()) {
        error = std::string(what) + " needs a file name";
        return false;
    }
    if (!StateScopeOfFileName(path, setup.saveScope)) {
        error = std::string(what) + " '" + path + "': the name must end in .fxp (one program) or .fxb (the bank)";
        return false;
    }
    setup.savePath = path;
    return true;
}

void AddStateOptions(CLI::App& app, StateSetup& setup, bool withSave)
{
    // Each takes the last value given; --set takes every one, in order.
    auto last = [&app](const std::string& name, std::function<void(const std::string&)> take) {
        app.add_option_function<std::string>(name, std::move(take))
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    };
    last("--load", [&setup](const std::string& path) {
        if (path.empty())
            throw CLI::ValidationError("--load needs a file name");
        setup.loadPath = path;
    });
    last("--program", [&setup](const std::string& program) {
        if (program.empty())
            throw CLI::ValidationError("--program needs a program index or name");
        setup.program = program;
    });
    app.add_option_function<std::vector<std::string>>("--set",
                                                      [&setup](const std::vector<std::string>& texts) {
                                                          for (const std::string& text : texts) {
                                                              ParameterSetting setting;
                                                              std::string error;
                                                              if (!ReadSetting(text, setting, error))
                                                                  throw CLI::ValidationError(error);
                                                              setup.settings.push_back(setting);
                                                          }
                                                      })
        ->allow_extra_args(false);
    if (withSave)
        last("--save", [&setup](const std::string& path) {
            std::string error;
            if (!ReadSaveTarget(path, "--save", setup, error))
                throw CLI::ValidationError(error);
        });
}

int ApplyStateSetup(HostSession& session, const StateSetup& setup, std::string_view command, const Console& console)
{
    // Settings are checked against the plug-in before anything changes.
    for (const ParameterSetting& setting : setup.settings)
        if (setting.index >= session.ParameterCount()) {
            const int32_t count = session.ParameterCount();
            console.UsageError(
                command, "--set " + setting.text + ": the plug-in has " +
                             (count > 0 ? "parameters 0.." + std::to_string(count - 1) : std::string("no parameters")));
            return kExitUsage;
        }

    framework::PresetFile file;
    std::string error;
    if (!setup.loadPath.empty() && !ReadPresetFile(setup.loadPath, file, error)) {
        console.Error(error);
        return kExitFailure;
    }
    const bool programFirst = setup.loadPath.empty() || !framework::IsBank(file.kind);
    if (programFirst && !setup.program.empty()) {
        if (const int code = ChooseProgram(session, setup, command, console); code != kExitSuccess)
            return code;
    }
    if (!setup.loadPath.empty()) {
        if (!ApplyPresetFile(session, file, error)) {
            console.Error("cannot load " + setup.loadPath + ": " + error);
            return kExitFailure;
        }
        console.Note("loaded " + setup.loadPath + " (" + framework::PresetKindMagic(file.kind) + ")");
    }
    if (!programFirst && !setup.program.empty()) {
        if (const int code = ChooseProgram(session, setup, command, console); code != kExitSuccess)
            return code;
    }
    for (const ParameterSetting& setting : setup.settings)
        session.SetParameter(static_cast<int32_t>(setting.index), setting.value);
    return kExitSuccess;
}

int SaveStateSetup(HostSession& session, const StateSetup& setup, const Console& console)
{
    if (setup.savePath.empty())
        return kExitSuccess;
    std::string error;
    if (!SavePresetFile(session, setup.saveScope, setup.savePath, error)) {
        console.Error(error);
        return kExitFailure;
    }
    console.Note("saved " + std::string(setup.saveScope == StateScope::kBank ? "the bank" : "the program") + " to " +
                 setup.savePath);
    return kExitSuccess;
}

}  // namespace orv::host
