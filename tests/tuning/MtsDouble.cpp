// A stand-in for the MTS-ESP tuning library with a scriptable tuning master,
// for tests of the plug-in's microtuning.
#include <cmath>

#if defined(_WIN32)
#define MTS_EXPORT extern "C" __declspec(dllexport)
#else
#define MTS_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

struct Master {
    bool connected = false;
    bool filtered[128] = {};
    double table[128];
    int clients = 0;

    Master()
    {
        for (int i = 0; i < 128; ++i)
            table[i] = 440.0 * std::pow(2.0, (i - 69) / 12.0);
    }
};

Master master;

}  // namespace

MTS_EXPORT void MTS_RegisterClient()
{
    ++master.clients;
}
MTS_EXPORT void MTS_DeregisterClient()
{
    --master.clients;
}
MTS_EXPORT bool MTS_HasMaster()
{
    return master.connected;
}
MTS_EXPORT bool MTS_ShouldFilterNote(char note, char /*channel*/)
{
    return master.filtered[note & 127];
}
MTS_EXPORT bool MTS_ShouldFilterNoteMultiChannel(char note, char /*channel*/)
{
    return master.filtered[note & 127];
}
MTS_EXPORT const double* MTS_GetTuningTable()
{
    return master.table;
}
MTS_EXPORT const double* MTS_GetMultiChannelTuningTable(char /*channel*/)
{
    return master.table;
}
MTS_EXPORT bool MTS_UseMultiChannelTuning(char /*channel*/)
{
    return false;
}
MTS_EXPORT const char* MTS_GetScaleName()
{
    return "test scale";
}

// The test's handles on the master.
MTS_EXPORT void MtsDouble_Connect(bool connected)
{
    master.connected = connected;
}
MTS_EXPORT void MtsDouble_Retune(int note, double frequency)
{
    master.table[note & 127] = frequency;
}
MTS_EXPORT void MtsDouble_Filter(int note, bool filtered)
{
    master.filtered[note & 127] = filtered;
}
MTS_EXPORT int MtsDouble_Clients()
{
    return master.clients;
}
