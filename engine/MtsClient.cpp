#include "engine/MtsClient.h"

#include "engine/Tuning.h"

#include <cmath>

namespace orv::engine {

namespace {
constexpr char kNoChannel = static_cast<char>(0xFF);
}

MtsBinding& ProcessMtsBinding()
{
    static MtsBinding binding;
    return binding;
}

MtsClient::MtsClient(const MtsBinding& binding_) : binding(binding_)
{
    for (int i = 0; i < 128; ++i)
        frequencies[i] = 440.0 * std::pow(2.0, (i - 69) / 12.0);
    if (binding.registerClient != nullptr)
        binding.registerClient();
}

MtsClient::~MtsClient()
{
    if (binding.deregisterClient != nullptr)
        binding.deregisterClient();
}

bool MtsClient::MasterPresent() const
{
    return binding.masterTable != nullptr && binding.hasMaster != nullptr && binding.hasMaster();
}

double MtsClient::NoteToFrequency(int note) const
{
    if (MasterPresent())
        return binding.masterTable[note & 127];
    return frequencies[note & 127];
}

bool MtsClient::ShouldFilterNote(int note) const
{
    if (MasterPresent() && binding.shouldFilterNote != nullptr)
        return binding.shouldFilterNote(static_cast<char>(note & 127), kNoChannel);
    return false;
}

int32_t NoteToPitch(const MtsClient* client, int note)
{
    if (client == nullptr || !client->MasterPresent())
        return note * 128;
    const double frequency = client->NoteToFrequency(note);
    int32_t index = 8640;
    int32_t step = 8640;
    do {
        step /= 2;
        const double estimate = PitchToFrequency(index);
        if (estimate > frequency)
            index -= step;
        else if (frequency > estimate)
            index += step;
        else
            break;
    } while (step != 0);
    return index;
}

}  // namespace orv::engine
