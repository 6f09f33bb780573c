// Writes planar float audio (one buffer per channel, as plug-ins produce it)
// to a 32-bit float WAV file through libsndfile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct sf_private_tag;  // libsndfile's SNDFILE

namespace orv::host {

class WavWriter {
public:
    WavWriter() = default;
    ~WavWriter();
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // Creates (or replaces) the file. Returns false with a message in Error().
    bool Open(const std::string& path, int32_t sampleRate, int32_t channels);
    // Appends frames samples from each of the channel buffers.
    bool Write(const float* const* channels, int32_t frames);
    // Finishes the header; a file is only complete after Close returned true.
    bool Close();
    // Closes and deletes the file, for a render that failed half-way.
    void Discard();

    const std::string& Error() const { return error; }
    int64_t FramesWritten() const { return framesWritten; }

private:
    sf_private_tag* file = nullptr;
    std::string path;
    int32_t channelCount = 0;
    int64_t framesWritten = 0;
    std::vector<float> interleaved;
    std::string error;
};

}  // namespace orv::host
