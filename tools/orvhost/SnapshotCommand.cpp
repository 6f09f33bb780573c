// orvhost snapshot PLUGIN -o FILE [--scale S]: the plug-in's editor panel as
// a PNG, drawn without a window through ORV's private effVendorSpecific
// request 'ORVs': asked with no buffer it tells the panel's size at the
// scale in opt (width x 65536 + height); asked with a buffer of that many
// RGBA pixels it draws into it.

#include "tools/orvhost/Command.h"
#include "tools/orvhost/CommandSupport.h"
#include "tools/orvhost/ExitCode.h"
#include "tools/orvhost/OptionValues.h"
#include "tools/orvhost/PngWriter.h"

#include <charconv>
#include <memory>
#include <string>
#include <vector>

namespace orv::host {

namespace {

constexpr int32_t kSnapshotRequest = framework::vst::FourCC('O', 'R', 'V', 's');
constexpr int kSizeShift = 16;
constexpr intptr_t kSizeMask = (intptr_t{1} << kSizeShift) - 1;
constexpr double kLargestScale = 8.0;

struct SnapshotArguments {
    PluginArguments plugin;
    std::string output;
    double scale = 1.0;
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
    const float scale = static_cast<float>(arguments.scale);
    const intptr_t size = session.Dispatch(framework::vst::effVendorSpecific, kSnapshotRequest, 0, nullptr, scale);
    const int width = static_cast<int>((size >> kSizeShift) & kSizeMask);
    const int height = static_cast<int>(size & kSizeMask);
    if (width == 0 || height == 0) {
        char scaleText[32];
        const auto written = std::to_chars(scaleText, scaleText + sizeof scaleText, arguments.scale);
        console.Error("the plug-in draws no panel at scale " + std::string(scaleText, written.ptr) +
                      " without a window");
        return kExitFailure;
    }
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
    if (session.Dispatch(framework::vst::effVendorSpecific, kSnapshotRequest, static_cast<intptr_t>(pixels.size()),
                         pixels.data(), scale) != 1) {
        console.Error("the plug-in draws no panel without a window");
        return kExitFailure;
    }
    if (!WritePng(arguments.output, pixels.data(), width, height, error)) {
        console.Error(error);
        return kExitFailure;
    }
    return kExitSuccess;
}

CommandRun Declare(CLI::App& app)
{
    auto arguments = std::make_shared<SnapshotArguments>();
    arguments->outputOption = AddTextOption(app, "-o,--output", arguments->output);
    AddPositiveNumberOption(app, "--scale", kLargestScale, arguments->scale);
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
                                       "  -o, --output FILE   the PNG file to write (replaced if it exists)\n"
                                       "  --scale S           the panel's scale: 1 (its own size, the default),\n"
                                       "                      1.25, 1.5, 1.75, 2, 2.5 or 3\n" +
                                       StateOptionHelp(false);
    static const Command command = {"snapshot", "draw a plug-in's editor panel into a PNG file",
                                    "snapshot PLUGIN -o FILE [--scale S] [OPTIONS]", details, &Declare};
    return command;
}

}  // namespace orv::host
