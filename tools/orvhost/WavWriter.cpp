#include "tools/orvhost/WavWriter.h"

#include <sndfile.h>

#include <filesystem>
#include <string_view>

namespace orv::host {

namespace {

// libsndfile's texts read "System error : No such file or directory.";
// the reason alone fits our "cannot write FILE: reason" lines better.
std::string Reason(const char* text)
{
    std::string reason = text != nullptr ? text : "unknown error";
    const std::string_view prefix = "System error : ";
    if (reason.starts_with(prefix))
        reason.erase(0, prefix.size());
    if (!reason.empty() && reason.back() == '.')
        reason.pop_back();
    return reason;
}

}  // namespace

WavWriter::~WavWriter()
{
    Close();
}

bool WavWriter::Open(const std::string& newPath, int32_t sampleRate, int32_t channels)
{
    Close();
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    if (sf_format_check(&info) == 0) {
        error = "cannot write " + newPath + ": a WAV file cannot hold " + std::to_string(channels) + " channels at " +
                std::to_string(sampleRate) + " Hz";
        return false;
    }
    file = sf_open(newPath.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        error = "cannot write " + newPath + ": " + Reason(sf_strerror(nullptr));
        return false;
    }
    // No PEAK chunk: it carries a time stamp, and the same render should give
    // the same file byte for byte.
    sf_command(file, SFC_SET_ADD_PEAK_CHUNK, nullptr, SF_FALSE);
    path = newPath;
    channelCount = channels;
    framesWritten = 0;
    error.clear();
    return true;
}

bool WavWriter::Write(const float* const* channels, int32_t frames)
{
    if (file == nullptr) {
        error = "cannot write: no file is open";
        return false;
    }
    interleaved.resize(static_cast<size_t>(frames) * static_cast<size_t>(channelCount));
    for (int32_t frame = 0; frame < frames; ++frame)
        for (int32_t channel = 0; channel < channelCount; ++channel)
            interleaved[static_cast<size_t>(frame) * channelCount + channel] = channels[channel][frame];
    const sf_count_t written = sf_writef_float(file, interleaved.data(), frames);
    framesWritten += written;
    if (written != frames) {
        error = "cannot write " + path + ": " + Reason(sf_strerror(file));
        return false;
    }
    return true;
}

bool WavWriter::Close()
{
    if (file == nullptr)
        return true;
    // libsndfile writes the final header here; a full disk shows up now.
    sf_write_sync(file);
    const int status = sf_close(file);
    file = nullptr;
    if (status != 0) {
        error = "cannot write " + path + ": " + Reason(sf_error_number(status));
        return false;
    }
    return true;
}

void WavWriter::Discard()
{
    if (file != nullptr) {
        sf_close(file);
        file = nullptr;
    }
    // Only a file we made: "-o /dev/null" must never remove the device.
    std::error_code ignored;
    if (!path.empty() && std::filesystem::is_regular_file(path, ignored))
        std::filesystem::remove(path, ignored);
    path.clear();
}

}  // namespace orv::host
