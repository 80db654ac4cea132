// InputTape: a recorded game, the StepInput of every step in order, and its
// file. A recording made while playing replays exactly through a new World:
// the world depends on nothing else.
//
// The file, all numbers little-endian:
//   "BRUVOREC"            8 bytes
//   version               2 bytes (kVersion)
//   steps                 8 bytes: how many steps the body holds (a week's at most)
//   body                  entries, each one of:
//     0x10 | held, count  `count` steps (a LEB128 number, 1 to 2^32 - 1) with
//                         those directions held and no event
//     0x20 | held, n,     one step with those directions held and n events
//       n x (event, character)     (1 to StepInput::kMaxEvents)
//   checksum              8 bytes: FNV-1a 64 of everything before it
// A file that differs from this in any way is refused whole.
#pragma once

#include "game/world/StepInput.h"

#include <cstdint>
#include <string>
#include <vector>

class InputTape {
public:
    static constexpr uint16_t kVersion = 1;
    static constexpr size_t kMaxFileBytes = 64u << 20;  // bytes: a larger file is not a recording

    // Appends a step.
    void Record(const StepInput& input);
    // The file's bytes for what was recorded so far.
    std::string Encode() const;
    // Reads a file's bytes; false with the reason in *error (one line, no
    // path) when they are not a whole recording of this version.
    bool Decode(const std::string& bytes, std::string* error);

    // Reads and decodes a file; the error names the path.
    bool Load(const std::string& path, std::string* error);
    // Writes the recording (through a temporary file, so an old one is only
    // replaced by a whole new one); false with the reason in *error.
    bool Save(const std::string& path, std::string* error) const;
    // Whether a recording can be written there (the temporary file is made
    // and removed again); false with the reason in *error.
    static bool CanSave(const std::string& path, std::string* error);

    // Replay: the next step's input; false once the tape has ended.
    bool Next(StepInput& input);
    // Back to the first step.
    void Rewind();
    int64_t Steps() const { return steps; }
    // The checksum the file ends with, of its bytes before it.
    static uint64_t Checksum(const char* data, size_t size);
    bool AtEnd() const { return played >= steps; }

private:
    void FlushRun(std::string& body) const;

    std::string body;          // the entries recorded or read
    int64_t steps = 0;
    // Recording: the run of equal steps not yet in the body.
    uint8_t runHeld = 0;
    uint32_t runCount = 0;
    // Replay: where the next step comes from.
    size_t readAt = 0;
    uint32_t runLeft = 0;
    uint8_t runLeftHeld = 0;
    int64_t played = 0;
};

// The line a recorded or replayed game ends with:
// "steps N level L score S lives V".
class World;
std::string GameSummary(const World& world);
