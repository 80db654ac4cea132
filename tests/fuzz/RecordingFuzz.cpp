// Fuzz target: any bytes as a recorded game, as they are and with their
// checksum made right (so that mutations reach the entries behind it). A
// recording the reader takes must replay every step it declares, run through
// a world, and be written and read back whole; anything else is refused with
// a reason.
#include "tests/fuzz/FuzzTargets.h"

#include "game/world/InputTape.h"
#include "game/world/World.h"

#include <string>
#include <unistd.h>

namespace {
constexpr int64_t kStepsRun = 3000;  // steps a taken recording plays through the world, at most

void Replay(const std::string& bytes)
{
    InputTape tape;
    std::string error;
    if (!tape.Decode(bytes, &error)) {
        FUZZ_CHECK(!error.empty());
        return;
    }
    // Every declared step comes out, and then none.
    InputTape copy;
    World world;
    world.RunApp();
    int64_t steps = 0;
    for (StepInput input; tape.Next(input); ++steps) {
        FUZZ_CHECK(input.eventCount >= 0 && input.eventCount <= StepInput::kMaxEvents);
        FUZZ_CHECK((input.held & ~StepInput::kAllHeld) == 0);
        copy.Record(input);
        if (steps < kStepsRun) {
            world.ClearCues();
            world.Step(input);
        }
    }
    FUZZ_CHECK(steps == tape.Steps());
    FUZZ_CHECK(tape.AtEnd());
    // Recorded again, the steps make a file the reader takes back whole.
    InputTape again;
    FUZZ_CHECK(again.Decode(copy.Encode(), &error));
    FUZZ_CHECK(again.Steps() == steps);
}
}  // namespace

void FuzzRecording(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    Replay(bytes);
    constexpr size_t kChecksumBytes = 8;
    if (bytes.size() < kChecksumBytes)
        return;
    const size_t end = bytes.size() - kChecksumBytes;
    const uint64_t sum = InputTape::Checksum(bytes.data(), end);
    for (size_t i = 0; i < kChecksumBytes; ++i)
        bytes[end + i] = static_cast<char>((sum >> (8 * i)) & 0xFF);
    Replay(bytes);
}

#ifdef BRUVO_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzRecording(data, size);
    return 0;
}
#endif
