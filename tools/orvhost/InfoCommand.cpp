// orvhost info PLUGIN: what a host learns about a plug-in when it loads it.

#include "tools/orvhost/Command.h"
#include "tools/orvhost/CommandSupport.h"
#include "tools/orvhost/ExitCode.h"
#include "tools/orvhost/HostSession.h"
#include "tools/orvhost/VstNames.h"

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace orv::host {

namespace {

// The capabilities hosts commonly ask about. Vendor extensions that change
// the plug-in's behaviour when asked (such as "hasCockosExtensions") are left
// out: asking would claim a host feature orvhost does not have.
constexpr std::array<const char*, 9> kCanDoQuestions = {
    "sendVstEvents",    "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo",
    "midiProgramNames", "bypass",           "offline",          "noRealTime",
};

struct Fact {
    std::string label;
    std::string value;
};

std::string OrEmptyMark(const std::string& text)
{
    return text.empty() ? "(empty)" : text;
}

std::string UniqueIdText(int32_t id)
{
    const std::string code = FourCharacterText(id);
    return code.empty() ? std::to_string(id) : code + " (" + std::to_string(id) + ")";
}

std::string FlagsText(int32_t flags)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08x", static_cast<unsigned>(flags));
    const std::string names = EffectFlagNames(flags);
    return names.empty() ? std::string(hex) : std::string(hex) + " " + names;
}

int Run(const std::vector<std::string>& words, const Console& console)
{
    std::string error;
    if (!ReadPositionals(words, {kPluginWord}, error)) {
        console.UsageError("info", error);
        return kExitUsage;
    }
    const std::string& path = words[0];

    HostSession session;
    if (!session.Load(path)) {
        console.Error(session.Error());
        return kExitFailure;
    }
    session.Open();

    const framework::vst::AEffect& effect = *session.Effect();
    std::vector<Fact> facts = {
        {"plug-in", path},
        {"name", OrEmptyMark(session.QueryText(framework::vst::effGetEffectName))},
        {"vendor", OrEmptyMark(session.QueryText(framework::vst::effGetVendorString))},
        {"product", OrEmptyMark(session.QueryText(framework::vst::effGetProductString))},
        {"unique id", UniqueIdText(effect.uniqueID)},
        {"version", std::to_string(effect.version)},
        {"vendor version", std::to_string(session.Dispatch(framework::vst::effGetVendorVersion))},
        {"VST version", std::to_string(session.Dispatch(framework::vst::effGetVstVersion))},
    };
    const intptr_t category = session.Dispatch(framework::vst::effGetPlugCategory);
    facts.push_back({"category", CategoryName(category) + " (" + std::to_string(category) + ")"});
    facts.push_back({"flags", FlagsText(effect.flags)});
    facts.push_back({"inputs", std::to_string(effect.numInputs)});
    facts.push_back({"outputs", std::to_string(effect.numOutputs)});
    facts.push_back({"parameters", std::to_string(effect.numParams)});
    facts.push_back({"programs", std::to_string(effect.numPrograms)});
    facts.push_back({"initial delay", std::to_string(effect.initialDelay)});
    facts.push_back({"tail size", std::to_string(session.Dispatch(framework::vst::effGetTailSize))});

    std::vector<Fact> answers;
    for (const char* question : kCanDoQuestions)
        answers.push_back({question, CanDoAnswerText(session.CanDo(question))});

    session.Close();

    for (const Fact& fact : facts)
        std::printf("%-17s%s\n", (fact.label + ":").c_str(), fact.value.c_str());
    std::printf("can do:\n");
    for (const Fact& answer : answers)
        std::printf("  %-22s%s\n", answer.label.c_str(), answer.value.c_str());
    return FinishOutput(console);
}

CommandRun Declare(CLI::App& app)
{
    auto words = std::make_shared<std::vector<std::string>>();
    AddPositionals(app, *words);
    return [words](const Console& console) { return Run(*words, console); };
}

constexpr std::string_view kDetails = "Loads PLUGIN as a host does (entry point, effOpen), prints its name, vendor,\n"
                                      "product, unique id, versions, category, flags, channel, parameter and\n"
                                      "program counts and its answers to the usual canDo questions, then closes it.\n"
                                      "\n"
                                      "options:\n";

}  // namespace

const Command& InfoCommand()
{
    static const Command command = {"info", "print what a host learns when it loads a plug-in", "info PLUGIN", kDetails,
                                    &Declare};
    return command;
}

}  // namespace orv::host
