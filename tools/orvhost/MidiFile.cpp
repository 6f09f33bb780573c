#include "tools/orvhost/MidiFile.h"

#include "framework/BigEndianReader.h"

#include <algorithm>

namespace orv::host {

namespace {

constexpr uint32_t kHeaderMagic = 0x4d546864;  // "MThd"
constexpr uint32_t kTrackMagic = 0x4d54726b;   // "MTrk"
constexpr size_t kHeaderFields = 6;
constexpr uint8_t kMetaEvent = 0xff;
constexpr uint8_t kSysexStart = 0xf0;
constexpr uint8_t kSysexContinuation = 0xf7;
constexpr uint8_t kMetaEndOfTrack = 0x2f;
constexpr uint8_t kMetaTempo = 0x51;
constexpr uint8_t kMetaTimeSignature = 0x58;
// 1/256 notes are as fine as any notation goes; larger powers are corrupt.
constexpr uint8_t kMaxDenominatorPower = 8;

std::string Hex(unsigned value)
{
    static const char digits[] = "0123456789abcdef";
    return std::string("0x") + digits[(value >> 4) & 0xf] + digits[value & 0xf];
}

class TrackReader {
public:
    TrackReader(std::span<const uint8_t> bytes, size_t fileOffset, int track, MidiFile& file)
        : reader(bytes), fileOffset(fileOffset), track(track), file(file)
    {}

    bool Read(std::string& error)
    {
        int64_t tick = 0;
        uint8_t runningStatus = 0;
        while (!reader.AtEnd()) {
            uint32_t delta = 0;
            if (!ReadVariableLength(delta, error))
                return false;
            tick += delta;
            eventOffset = reader.Position();
            uint8_t first = 0;
            if (!reader.Read8(first))
                return Truncated(error);

            if (first == kMetaEvent) {
                runningStatus = 0;
                bool ended = false;
                if (!ReadMeta(tick, ended, error))
                    return false;
                if (ended)
                    break;
            } else if (first == kSysexStart || first == kSysexContinuation) {
                runningStatus = 0;
                uint32_t length = 0;
                if (!ReadVariableLength(length, error))
                    return false;
                if (!reader.Skip(length))
                    return Truncated(error);
                ++file.sysexCount;
            } else if (first >= 0xf0) {
                error = Where() + "the status byte " + Hex(first) + " does not belong in a MIDI file";
                return false;
            } else {
                uint8_t status = first;
                bool haveFirstData = false;
                if (first < 0x80) {
                    if (runningStatus == 0) {
                        error = Where() + "a data byte comes without a status byte before it";
                        return false;
                    }
                    status = runningStatus;
                    haveFirstData = true;
                }
                if (!ReadChannelMessage(tick, status, haveFirstData ? first : -1, error))
                    return false;
                runningStatus = status;
            }
        }
        file.endTick = std::max(file.endTick, tick);
        return true;
    }

private:
    bool Truncated(std::string& error)
    {
        error = "track " + std::to_string(track) + " is cut short: an event runs past the end of the track";
        return false;
    }

    std::string Where() const
    {
        return "track " + std::to_string(track) + ", byte " + std::to_string(fileOffset + eventOffset) + ": ";
    }

    // Variable-length quantities hold 7 bits per byte, at most four bytes.
    bool ReadVariableLength(uint32_t& value, std::string& error)
    {
        value = 0;
        for (int count = 0; count < 4; ++count) {
            uint8_t byte = 0;
            if (!reader.Read8(byte))
                return Truncated(error);
            value = (value << 7) | (byte & 0x7f);
            if ((byte & 0x80) == 0)
                return true;
        }
        eventOffset = reader.Position();
        error = Where() + "a variable-length number is longer than four bytes";
        return false;
    }

    bool ReadChannelMessage(int64_t tick, uint8_t status, int firstData, std::string& error)
    {
        const uint8_t kind = status & 0xf0;
        const int dataCount = (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
        uint8_t data[2] = {0, 0};
        for (int i = 0; i < dataCount; ++i) {
            if (i == 0 && firstData >= 0) {
                data[0] = static_cast<uint8_t>(firstData);
                continue;
            }
            if (!reader.Read8(data[i]))
                return Truncated(error);
            if (data[i] >= 0x80) {
                error = Where() + "the message " + Hex(status) + " has the status byte " + Hex(data[i]) +
                        " where a data byte belongs";
                return false;
            }
        }
        file.events.push_back({tick, status, data[0], data[1]});
        return true;
    }

    bool ReadMeta(int64_t tick, bool& ended, std::string& error)
    {
        uint8_t type = 0;
        uint32_t length = 0;
        std::span<const uint8_t> data;
        if (!reader.Read8(type))
            return Truncated(error);
        if (!ReadVariableLength(length, error))
            return false;
        if (!reader.ReadBytes(length, data))
            return Truncated(error);
        switch (type) {
        case kMetaEndOfTrack:
            ended = true;
            break;
        case kMetaTempo:
            // Malformed or zero tempos are ignored, as players do.
            if (data.size() == 3) {
                const uint32_t microseconds =
                    static_cast<uint32_t>(data[0]) << 16 | static_cast<uint32_t>(data[1]) << 8 | data[2];
                if (microseconds > 0)
                    file.tempos.push_back({tick, microseconds});
            }
            break;
        case kMetaTimeSignature:
            if (data.size() >= 2 && data[0] > 0 && data[1] <= kMaxDenominatorPower)
                file.timeSignatures.push_back({tick, data[0], 1 << data[1]});
            break;
        default:
            break;
        }
        return true;
    }

    framework::BigEndianReader reader;
    size_t fileOffset;
    size_t eventOffset = 0;
    int track;
    MidiFile& file;
};

bool ReadHeader(framework::BigEndianReader& reader, MidiFile& file, uint16_t& declaredTracks, std::string& error)
{
    uint32_t magic = 0;
    uint32_t length = 0;
    if (!reader.Read32(magic) || magic != kHeaderMagic) {
        error = "not a Standard MIDI File (it does not start with \"MThd\")";
        return false;
    }
    uint16_t format = 0;
    uint16_t division = 0;
    if (!reader.Read32(length) || length < kHeaderFields || !reader.Read16(format) || !reader.Read16(declaredTracks) ||
        !reader.Read16(division) || !reader.Skip(length - kHeaderFields)) {
        error = "truncated or corrupt: the file header is incomplete";
        return false;
    }
    if (format == 2) {
        error = "format 2 (a set of independent patterns) is not supported; formats 0 and 1 are";
        return false;
    }
    if (format > 2) {
        error = "unknown format " + std::to_string(format) + "; formats 0 and 1 are supported";
        return false;
    }
    if ((division & 0x8000) != 0) {
        error = "its time is in SMPTE frames, which is not supported; save it with ticks per quarter note";
        return false;
    }
    if (division == 0) {
        error = "corrupt: it gives 0 ticks per quarter note";
        return false;
    }
    file.format = format;
    file.ticksPerQuarter = division;
    return true;
}

}  // namespace

bool ParseMidiFile(std::span<const uint8_t> bytes, MidiFile& file, std::string& error)
{
    file = MidiFile{};
    framework::BigEndianReader reader(bytes);
    uint16_t declaredTracks = 0;
    if (!ReadHeader(reader, file, declaredTracks, error))
        return false;

    int tracksRead = 0;
    while (tracksRead < declaredTracks) {
        uint32_t type = 0;
        uint32_t length = 0;
        const size_t chunkStart = reader.Position();
        if (!reader.Read32(type) || !reader.Read32(length)) {
            error = "truncated: the header announces " + std::to_string(declaredTracks) + " tracks, the file holds " +
                    std::to_string(tracksRead);
            return false;
        }
        std::span<const uint8_t> body;
        if (!reader.ReadBytes(length, body)) {
            error = (type == kTrackMagic ? "track " + std::to_string(tracksRead)
                                         : "a chunk at byte " + std::to_string(chunkStart)) +
                    " is cut short: it claims " + std::to_string(length) + " bytes, " +
                    std::to_string(reader.Remaining()) + " follow";
            return false;
        }
        if (type != kTrackMagic)
            continue;  // chunks of other kinds are for other programs
        TrackReader track(body, chunkStart + 8, tracksRead, file);
        if (!track.Read(error))
            return false;
        ++tracksRead;
    }
    file.trackCount = tracksRead;

    auto byTick = [](const auto& a, const auto& b) { return a.tick < b.tick; };
    std::stable_sort(file.events.begin(), file.events.end(), byTick);
    std::stable_sort(file.tempos.begin(), file.tempos.end(), byTick);
    std::stable_sort(file.timeSignatures.begin(), file.timeSignatures.end(), byTick);
    return true;
}

}  // namespace orv::host
