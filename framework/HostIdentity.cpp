#include "framework/HostIdentity.h"

#include <cctype>

namespace orv::framework {

namespace {

struct HostName {
    const char* substring;
    HostCode code;
};

// Order matters: a product that names two hosts gets the earlier one.
constexpr HostName kHostNames[] = {
    {"cubase", kHostCubase},
    {"reaper", kHostReaper},
    {"nuendo", kHostNuendo},
    {"cakewalk", kHostCakewalk},
    {"samplitude", kHostSamplitude},
    {"fruity", kHostFruity},
    {"live", kHostLive},
    {"melodyne", kHostMelodyne},
    {"vstmanlib", kHostVstManLib},
    {"aulab", kHostAuLab},
    {"garageband", kHostGarageBand},
    {"forte", kHostForte},
    {"chainer", kHostChainer},
    {"audition", kHostAudition},
    {"orion", kHostOrion},
    {"sawstudio", kHostSawStudio},
    {"logic", kHostLogic},
    {"digital", kHostDigitalPerformer},
    {"audiomulch", kHostAudioMulch},
    {"presonus", kHostPreSonus},
    {"vst3plugintesthost", kHostVst3TestHost},
    {"protools", kHostProTools},
    {"ardour", kHostArdour},
    {"openmpt", kHostOpenMpt},
    {"renoise", kHostRenoise},
    {"standalone", kHostStandalone},
};

}  // namespace

std::string LowerCase(const char* text)
{
    std::string lower = text != nullptr ? text : "";
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

HostCode HostCodeFromProduct(const char* product)
{
    const std::string lower = LowerCase(product);
    for (const HostName& host : kHostNames)
        if (lower.find(host.substring) != std::string::npos)
            return host.code;
    return kHostUnknown;
}

bool VendorNeedsProgramChunks(const char* vendor)
{
    const std::string lower = LowerCase(vendor);
    return lower == "native instruments" || lower == "juce vst host";
}

int32_t PackedVersion(int32_t decimal)
{
    const int32_t major = decimal / 10000;
    const int32_t minor = (decimal % 10000) / 100;
    const int32_t bugFix = decimal - major * 10000 - minor * 100;
    return major * 65536 + minor * 256 + bugFix;
}

}  // namespace orv::framework
