// orvhost snapshot PLUGIN -o FILE: the plug-in's editor panel as a PNG,
// drawn without a window through ORV's private effVendorSpecific request
// 'ORVs' (the panel's 608 x 352 RGBA pixels into a buffer the host gives).

#include "Command.h"
#include "CommandSupport.h"
#include "ExitCode.h"
#include "PngWriter.h"

#include <array>
#include <vector>

namespace orvhost {

namespace {

constexpr int kPanelWidth = 608;
constexpr int kPanelHeight = 352;
constexpr int32_t kSnapshotRequest = vst::FourCC('O', 'R', 'V', 's');

constexpr std::array<OptionSpec, 4> kOptions = {{
    {"output", 'o', true},
    kStateOptions[0],  // --load
    kStateOptions[1],  // --program
    kStateOptions[2],  // --set
}};

int Run(const ParsedArguments& arguments, const Console& console)
{
    std::vector<std::string> words;
    StateSetup setup;
    std::string error;
    const std::string output = arguments.Last("output");
    if (!ReadPositionals(arguments, {"PLUGIN (the path of a VST 2 plug-in library)"}, words, error) ||
        !ReadStateSetup(arguments, setup, error)) {
        console.UsageError("snapshot", error);
        return kExitUsage;
    }
    if (output.empty()) {
        console.UsageError("snapshot", arguments.Has("output") ? "-o needs a file name"
                                                                : "missing -o FILE (the PNG file to write)");
        return kExitUsage;
    }
    HostSession session;
    session.SetProcessLevel(kProcessLevelUser);
    if (const int code = StartSession(session, words[0], setup, "snapshot", console); code != kExitSuccess)
        return code;
    std::vector<uint8_t> pixels(static_cast<size_t>(kPanelWidth) * kPanelHeight * 4);
    if (session.Dispatch(vst::effVendorSpecific, kSnapshotRequest, static_cast<intptr_t>(pixels.size()),
                         pixels.data()) != 1) {
        console.Error("the plug-in draws no panel without a window");
        return kExitFailure;
    }
    if (!WritePng(output, pixels.data(), kPanelWidth, kPanelHeight, error)) {
        console.Error(error);
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace

const Command& SnapshotCommand()
{
    static const std::string details =
        "Loads PLUGIN as a host does, applies the options below and writes its\n"
        "editor panel, as the open editor would show it, to FILE as a PNG. No\n"
        "window is opened: the plug-in draws the panel into a buffer through its\n"
        "private effVendorSpecific request 'ORVs' (ORV answers it).\n"
        "\n"
        "options:\n"
        "  -o, --output FILE   the PNG file to write (replaced if it exists)\n" +
        StateOptionHelp(false);
    static const Command command = {"snapshot", "draw a plug-in's editor panel into a PNG file",
                                    "snapshot PLUGIN -o FILE [OPTIONS]", details, kOptions, &Run};
    return command;
}

}  // namespace orvhost
