// orvhost snapshot PLUGIN -o FILE: the plug-in's editor panel as a PNG,
// drawn without a window through ORV's private effVendorSpecific request
// 'ORVs' (the panel's 608 x 352 RGBA pixels into a buffer the host gives).

#include "Command.h"
#include "CommandSupport.h"
#include "ExitCode.h"
#include "OptionValues.h"
#include "PngWriter.h"

#include <memory>
#include <vector>

namespace orvhost {

namespace {

constexpr int kPanelWidth = 608;
constexpr int kPanelHeight = 352;
constexpr int32_t kSnapshotRequest = vst::FourCC('O', 'R', 'V', 's');

struct SnapshotArguments {
    PluginArguments plugin;
    std::string output;
    const CLI::Option* outputOption = nullptr;
};

int Run(const SnapshotArguments& arguments, const Console& console)
{
    std::string error;
    if (!ReadPositionals(arguments.plugin.words, {kPluginWord}, error)) {
        console.UsageError("snapshot", error);
        return kExitUsage;
    }
    if (arguments.output.empty()) {
        console.UsageError("snapshot", arguments.outputOption->count() > 0 ? "-o needs a file name"
                                                                           : "missing -o FILE (the PNG file to write)");
        return kExitUsage;
    }
    HostSession session;
    if (const int code = StartSession(session, arguments.plugin.words[0], arguments.plugin.setup, "snapshot", console);
        code != kExitSuccess)
        return code;
    std::vector<uint8_t> pixels(static_cast<size_t>(kPanelWidth) * kPanelHeight * 4);
    if (session.Dispatch(vst::effVendorSpecific, kSnapshotRequest, static_cast<intptr_t>(pixels.size()),
                         pixels.data()) != 1) {
        console.Error("the plug-in draws no panel without a window");
        return kExitFailure;
    }
    if (!WritePng(arguments.output, pixels.data(), kPanelWidth, kPanelHeight, error)) {
        console.Error(error);
        return kExitFailure;
    }
    return kExitSuccess;
}

CommandRun Declare(CLI::App& app)
{
    auto arguments = std::make_shared<SnapshotArguments>();
    arguments->outputOption = AddTextOption(app, "-o,--output", arguments->output);
    AddPluginArguments(app, arguments->plugin, false);
    return [arguments](const Console& console) { return Run(*arguments, console); };
}

}  // namespace

const Command& SnapshotCommand()
{
    static const std::string details = "Loads PLUGIN as a host does, applies the options below and writes its\n"
                                       "editor panel, as the open editor would show it, to FILE as a PNG. No\n"
                                       "window is opened: the plug-in draws the panel into a buffer through its\n"
                                       "private effVendorSpecific request 'ORVs' (ORV answers it).\n"
                                       "\n"
                                       "options:\n"
                                       "  -o, --output FILE   the PNG file to write (replaced if it exists)\n" +
                                       StateOptionHelp(false);
    static const Command command = {"snapshot", "draw a plug-in's editor panel into a PNG file",
                                    "snapshot PLUGIN -o FILE [OPTIONS]", details, &Declare};
    return command;
}

}  // namespace orvhost
