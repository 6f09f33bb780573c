// Reads WAV files back for the orvhost tests.
//   wav_check FILE          prints frames, rate, channels, sample format and,
//                           per channel, min, max and sum of the samples and
//                           the first frame that is not zero (-1: none)
//   wav_check --same A B    exit 0 when both hold the same audio, sample for
//                           sample; otherwise says where they differ
#include <sndfile.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Audio {
    SF_INFO info{};
    std::vector<float> samples;  // interleaved
};

bool Read(const char* path, Audio& audio)
{
    SNDFILE* file = sf_open(path, SFM_READ, &audio.info);
    if (file == nullptr) {
        std::fprintf(stderr, "wav_check: cannot read %s: %s\n", path, sf_strerror(nullptr));
        return false;
    }
    audio.samples.resize(static_cast<size_t>(audio.info.frames) * static_cast<size_t>(audio.info.channels));
    const sf_count_t read = sf_readf_float(file, audio.samples.data(), audio.info.frames);
    sf_close(file);
    if (read != audio.info.frames) {
        std::fprintf(stderr, "wav_check: %s is shorter than its header says\n", path);
        return false;
    }
    return true;
}

const char* SampleFormat(int format)
{
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_FLOAT:
        return "float32";
    case SF_FORMAT_DOUBLE:
        return "float64";
    case SF_FORMAT_PCM_16:
        return "pcm16";
    case SF_FORMAT_PCM_24:
        return "pcm24";
    case SF_FORMAT_PCM_32:
        return "pcm32";
    default:
        return "other";
    }
}

int Describe(const char* path)
{
    Audio audio;
    if (!Read(path, audio))
        return 1;
    const int channels = audio.info.channels;
    std::printf("container %s\n", (audio.info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV ? "wav" : "other");
    std::printf("frames %lld\nrate %d\nchannels %d\nformat %s\n", static_cast<long long>(audio.info.frames),
                audio.info.samplerate, channels, SampleFormat(audio.info.format));
    for (int channel = 0; channel < channels; ++channel) {
        float low = 0.0f, high = 0.0f;
        double sum = 0.0;
        long long first = -1;
        for (sf_count_t frame = 0; frame < audio.info.frames; ++frame) {
            const float sample = audio.samples[static_cast<size_t>(frame) * channels + channel];
            if (first < 0 && sample != 0.0f)
                first = frame;
            if (frame == 0 || sample < low)
                low = sample;
            if (frame == 0 || sample > high)
                high = sample;
            sum += sample;
        }
        std::printf("channel %d min %.9g max %.9g sum %.9g first %lld\n", channel, low, high, sum, first);
    }
    return 0;
}

int Compare(const char* first, const char* second)
{
    Audio a, b;
    if (!Read(first, a) || !Read(second, b))
        return 1;
    if (a.info.frames != b.info.frames || a.info.channels != b.info.channels ||
        a.info.samplerate != b.info.samplerate) {
        std::fprintf(stderr, "wav_check: %s and %s differ in length, channels or rate\n", first, second);
        return 1;
    }
    for (size_t i = 0; i < a.samples.size(); ++i)
        if (std::memcmp(&a.samples[i], &b.samples[i], sizeof(float)) != 0) {
            std::fprintf(stderr, "wav_check: %s and %s differ at frame %zu channel %zu (%.9g vs %.9g)\n", first, second,
                         i / a.info.channels, i % a.info.channels, a.samples[i], b.samples[i]);
            return 1;
        }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2)
        return Describe(argv[1]);
    if (argc == 4 && std::strcmp(argv[1], "--same") == 0)
        return Compare(argv[2], argv[3]);
    std::fprintf(stderr, "usage: wav_check FILE | wav_check --same A B\n");
    return 2;
}
