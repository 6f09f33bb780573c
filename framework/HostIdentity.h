// Recognising hosts from the strings they report, for the few behaviours
// that differ between hosts.
#pragma once

#include <cstdint>
#include <string>

namespace orv::framework {

enum HostCode : int32_t {
    kHostUnknown = 0,
    kHostReaper = 1,
    kHostProTools = 2,
    kHostCubase = 3,
    kHostNuendo = 4,
    kHostCakewalk = 5,
    kHostFruity = 7,
    kHostSamplitude = 8,
    kHostLive = 9,
    kHostMelodyne = 12,
    kHostVstManLib = 13,
    kHostAuLab = 14,
    kHostForte = 15,
    kHostChainer = 16,
    kHostAudition = 17,
    kHostOrion = 18,
    kHostSawStudio = 20,
    kHostLogic = 21,
    kHostGarageBand = 22,
    kHostDigitalPerformer = 23,
    kHostStandalone = 24,
    kHostAudioMulch = 25,
    kHostPreSonus = 26,
    kHostVst3TestHost = 27,
    kHostArdour = 28,
    kHostRenoise = 29,
    kHostOpenMpt = 30,
};

std::string LowerCase(const char* text);

// The host's code from its product string; the first matching name wins.
HostCode HostCodeFromProduct(const char* product);

// Hosts from these vendors store only program chunks, even for a bank.
bool VendorNeedsProgramChunks(const char* vendor);

// 0xMMMMmmbb from a decimal version such as 20000 for 2.0.0.
int32_t PackedVersion(int32_t decimal);

}  // namespace orv::framework
