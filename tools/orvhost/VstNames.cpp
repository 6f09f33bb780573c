#include "tools/orvhost/VstNames.h"

#include "framework/VstAbi.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace orv::host {

namespace {

struct FlagName {
    int32_t bit;
    std::string_view name;
};

// Bits 1, 2, 10 and 11 are from older versions of the interface; plug-ins
// built against them still set them.
constexpr std::array<FlagName, 11> kFlagNames = {{
    {framework::vst::effFlagsHasEditor, "HasEditor"},
    {1 << 1, "HasClip"},
    {1 << 2, "HasVu"},
    {framework::vst::effFlagsCanMono, "CanMono"},
    {framework::vst::effFlagsCanReplacing, "CanReplacing"},
    {framework::vst::effFlagsProgramChunks, "ProgramChunks"},
    {framework::vst::effFlagsIsSynth, "IsSynth"},
    {framework::vst::effFlagsNoSoundInStop, "NoSoundInStop"},
    {1 << 10, "ExtIsAsync"},
    {1 << 11, "ExtHasBuffer"},
    {framework::vst::effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
}};

constexpr std::array<std::string_view, 12> kCategoryNames = {
    "unknown",     "effect",          "instrument",  "analysis",        "mastering", "spatializer",
    "room effect", "surround effect", "restoration", "offline process", "shell",     "generator",
};

}  // namespace

std::string FourCharacterText(int32_t code)
{
    const auto value = static_cast<uint32_t>(code);
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((value >> shift) & 0xff);
        if (c < 0x20 || c > 0x7e)
            return {};
        text += c;
    }
    return text;
}

std::string EffectFlagNames(int32_t flags)
{
    std::string names;
    auto append = [&names](std::string_view name) {
        if (!names.empty())
            names += ' ';
        names += name;
    };
    for (int bit = 0; bit < 32; ++bit) {
        const auto mask = static_cast<int32_t>(1u << bit);
        if ((flags & mask) == 0)
            continue;
        std::string_view known;
        for (const FlagName& flag : kFlagNames)
            if (flag.bit == mask)
                known = flag.name;
        if (known.empty())
            append("bit " + std::to_string(bit));
        else
            append(known);
    }
    return names;
}

std::string CategoryName(intptr_t category)
{
    if (category >= 0 && category < static_cast<intptr_t>(kCategoryNames.size()))
        return std::string(kCategoryNames[static_cast<size_t>(category)]);
    return "category " + std::to_string(category);
}

std::string CanDoAnswerText(intptr_t answer)
{
    switch (answer) {
    case 1:
        return "yes";
    case -1:
        return "no";
    case 0:
        return "don't know";
    default: {
        char text[32];
        std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(answer));
        return text;
    }
    }
}

}  // namespace orv::host
