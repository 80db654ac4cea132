#include "game/world/InputTape.h"

#include "game/world/World.h"
#include "support/FileUtil.h"

#include <cstdio>
#include <sys/stat.h>

namespace {
constexpr char kMagic[] = "BRUVOREC";
constexpr size_t kMagicBytes = 8;
constexpr size_t kHeaderBytes = kMagicBytes + 2 + 8;
constexpr size_t kChecksumBytes = 8;
constexpr uint8_t kRun = 0x10;
constexpr uint8_t kEvents = 0x20;
constexpr uint8_t kKindMask = 0xF0;
constexpr uint32_t kMaxRun = 0xFFFFFFFFu;
// Steps a recording may hold: a week of play. A file declaring more is not
// a game (a few bytes could otherwise keep a replay running for years).
constexpr uint64_t kMaxSteps = uint64_t(7) * 24 * 60 * 60 * 100;

void PutNumber(std::string& out, uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint64_t GetNumber(const std::string& in, size_t at, int bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint64_t>(static_cast<unsigned char>(in[at + i])) << (8 * i);
    return value;
}

void PutCount(std::string& out, uint32_t value)
{
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

// A LEB128 count of 1 to kMaxRun; false when it is malformed or runs off the end.
bool GetCount(const std::string& in, size_t end, size_t& at, uint32_t& value)
{
    uint64_t result = 0;
    for (int shift = 0; shift < 35; shift += 7) {
        if (at >= end)
            return false;
        const unsigned char byte = static_cast<unsigned char>(in[at++]);
        result |= static_cast<uint64_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) {
            if (result == 0 || result > kMaxRun)
                return false;
            value = static_cast<uint32_t>(result);
            return true;
        }
    }
    return false;
}

bool KnownEvent(unsigned char value)
{
    return value >= static_cast<unsigned char>(StepInput::Event::Typed) &&
           value <= static_cast<unsigned char>(StepInput::kLastEvent);
}

// Walks one entry of a body that has been checked whole; fills the input of
// its first step and the number of steps it stands for.
void ReadEntry(const std::string& body, size_t& at, StepInput& input, uint32_t& count)
{
    const unsigned char head = static_cast<unsigned char>(body[at++]);
    input = StepInput{};
    input.held = head & StepInput::kAllHeld;
    if ((head & kKindMask) == kRun) {
        GetCount(body, body.size(), at, count);
        return;
    }
    count = 1;
    const int events = static_cast<unsigned char>(body[at++]);
    for (int i = 0; i < events; ++i) {
        const auto event = static_cast<StepInput::Event>(body[at]);
        input.Add(event, body[at + 1]);
        at += 2;
    }
}
}  // namespace

void InputTape::FlushRun(std::string& out) const
{
    if (runCount == 0)
        return;
    out.push_back(static_cast<char>(kRun | runHeld));
    PutCount(out, runCount);
}

void InputTape::Record(const StepInput& input)
{
    const uint8_t held = input.held & StepInput::kAllHeld;
    ++steps;
    if (input.eventCount == 0) {
        if (runCount > 0 && held == runHeld && runCount < kMaxRun) {
            ++runCount;
            return;
        }
        FlushRun(body);
        runHeld = held;
        runCount = 1;
        return;
    }
    FlushRun(body);
    runCount = 0;
    const int events = std::min(input.eventCount, StepInput::kMaxEvents);
    body.push_back(static_cast<char>(kEvents | held));
    body.push_back(static_cast<char>(events));
    for (int i = 0; i < events; ++i) {
        body.push_back(static_cast<char>(input.events[i].event));
        body.push_back(input.events[i].character);
    }
}

std::string InputTape::Encode() const
{
    std::string out(kMagic, kMagicBytes);
    PutNumber(out, kVersion, 2);
    PutNumber(out, static_cast<uint64_t>(steps), 8);
    out += body;
    FlushRun(out);
    PutNumber(out, InputTape::Checksum(out.data(), out.size()), 8);
    return out;
}

bool InputTape::Decode(const std::string& bytes, std::string* error)
{
    auto fail = [error](const std::string& why) {
        if (error != nullptr)
            *error = why;
        return false;
    };
    if (bytes.size() < kMagicBytes || bytes.compare(0, kMagicBytes, kMagic) != 0)
        return fail("not a recording of this game");
    if (bytes.size() < kHeaderBytes + kChecksumBytes)
        return fail("cut short");
    // The checksum first: a damaged version is damage, not another version.
    const size_t end = bytes.size() - kChecksumBytes;
    if (InputTape::Checksum(bytes.data(), end) != GetNumber(bytes, end, 8))
        return fail("damaged (its checksum does not match)");
    const uint64_t version = GetNumber(bytes, kMagicBytes, 2);
    if (version != kVersion)
        return fail("recording version " + std::to_string(version) + " is not this game's (" +
                    std::to_string(kVersion) + ")");
    const uint64_t declared = GetNumber(bytes, kMagicBytes + 2, 8);
    if (declared > kMaxSteps)
        return fail("holds " + std::to_string(declared) + " steps, more than a week of play");

    // Every entry checked before any is used.
    uint64_t counted = 0;
    for (size_t at = kHeaderBytes; at < end;) {
        const size_t entry = at;
        const unsigned char head = static_cast<unsigned char>(bytes[at++]);
        bool good = (head & ~(kKindMask | StepInput::kAllHeld)) == 0;
        if (good && (head & kKindMask) == kRun) {
            uint32_t count = 0;
            good = GetCount(bytes, end, at, count);
            counted += count;
        } else if (good && (head & kKindMask) == kEvents) {
            const int events = at < end ? static_cast<unsigned char>(bytes[at++]) : 0;
            good = events >= 1 && events <= StepInput::kMaxEvents && at + 2 * static_cast<size_t>(events) <= end;
            for (int i = 0; good && i < events; ++i)
                good = KnownEvent(static_cast<unsigned char>(bytes[at + 2 * i]));
            at += 2 * static_cast<size_t>(events);
            counted += 1;
        } else {
            good = false;
        }
        if (!good || counted > kMaxSteps)
            return fail("damaged at byte " + std::to_string(entry));
    }
    if (counted != declared)
        return fail("holds " + std::to_string(counted) + " steps, its header says " + std::to_string(declared));

    body = bytes.substr(kHeaderBytes, end - kHeaderBytes);
    steps = static_cast<int64_t>(counted);
    runCount = 0;
    Rewind();
    return true;
}

// FNV-1a, 64 bits.
uint64_t InputTape::Checksum(const char* data, size_t size)
{
    uint64_t hash = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ static_cast<unsigned char>(data[i])) * 1099511628211ull;
    return hash;
}

bool InputTape::Load(const std::string& path, std::string* error)
{
    auto fail = [&](const std::string& why) {
        if (error != nullptr)
            *error = "Recording " + path + ": " + why;
        return false;
    };
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return fail("cannot be read");
    if (static_cast<uint64_t>(info.st_size) > kMaxFileBytes)
        return fail("too large to be a recording");
    std::string bytes(static_cast<size_t>(info.st_size), '\0');
    FILE* file = std::fopen(path.c_str(), "rbe");
    if (file == nullptr)
        return fail("cannot be read");
    // A file that grew or shrank meanwhile reads as what it held when measured.
    const size_t read = std::fread(&bytes[0], 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return fail("cannot be read");
    bytes.resize(read);
    std::string why;
    if (!Decode(bytes, &why))
        return fail(why);
    return true;
}

bool InputTape::Save(const std::string& path, std::string* error) const
{
    if (!ReplaceFile(path, Encode())) {
        if (error != nullptr)
            *error = "Recording " + path + ": cannot be written";
        return false;
    }
    return true;
}

bool InputTape::CanSave(const std::string& path, std::string* error)
{
    const std::string temporary = path + ".part";
    FILE* file = std::fopen(temporary.c_str(), "wbe");
    if (file == nullptr) {
        if (error != nullptr)
            *error = "Recording " + path + ": cannot be written";
        return false;
    }
    std::fclose(file);
    std::remove(temporary.c_str());
    return true;
}

bool InputTape::Next(StepInput& input)
{
    if (played >= steps)
        return false;
    if (runLeft > 0) {
        input = StepInput{};
        input.held = runLeftHeld;
        --runLeft;
    } else {
        uint32_t count = 0;
        ReadEntry(body, readAt, input, count);
        if (count > 1) {
            runLeft = count - 1;
            runLeftHeld = input.held;
        }
    }
    ++played;
    return true;
}

void InputTape::Rewind()
{
    readAt = 0;
    runLeft = 0;
    played = 0;
}

std::string GameSummary(const World& world)
{
    return "steps " + std::to_string(world.Steps()) + " level " + std::to_string(world.GetLevel()) + " score " +
           std::to_string(world.GetScore()) + " lives " + std::to_string(world.GetLives());
}
