// Recorded games: what goes on a tape comes back step for step, a game
// replayed from its recording ends exactly as it was played, and a file that
// is not a whole recording of this version is refused with its reason.
#include "tests/world/WorldDriver.h"

#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

bool Same(const StepInput& a, const StepInput& b)
{
    if (a.held != b.held || a.eventCount != b.eventCount)
        return false;
    for (int i = 0; i < a.eventCount; ++i)
        if (a.events[i].event != b.events[i].event || a.events[i].character != b.events[i].character)
            return false;
    return true;
}

// Steps of every kind: long runs (counts of several bytes), every direction,
// a step full of events, typed bytes of every value.
std::vector<StepInput> Variety()
{
    std::vector<StepInput> steps;
    StepInput input;
    for (int i = 0; i < 20000; ++i)
        steps.push_back(input);
    for (uint8_t held = 0; held <= StepInput::kAllHeld; ++held) {
        input.held = held;
        for (int i = 0; i < held + 1; ++i)
            steps.push_back(input);
    }
    for (int c = 0; c < 256; c += 37) {
        input.Add(StepInput::Event::Typed, static_cast<char>(c));
        steps.push_back(input);
        input = StepInput{};
    }
    for (int i = 0; i < StepInput::kMaxEvents; ++i)
        input.Add(i % 2 ? StepInput::Event::KeyReleased : StepInput::Event::NameEntered);
    steps.push_back(input);
    steps.push_back(StepInput{});
    return steps;
}

TEST(InputTape, RecordedStepsComeBackInOrderThroughTheFile)
{
    const std::vector<StepInput> steps = Variety();
    InputTape recorded;
    for (const StepInput& step : steps)
        recorded.Record(step);
    const std::string file = recorded.Encode();
    EXPECT_LT(file.size(), 800u) << "runs of equal steps take a few bytes";

    InputTape replay;
    std::string error;
    ASSERT_TRUE(replay.Decode(file, &error)) << error;
    EXPECT_EQ(replay.Steps(), static_cast<int64_t>(steps.size()));
    for (size_t i = 0; i < steps.size(); ++i) {
        StepInput got;
        ASSERT_TRUE(replay.Next(got)) << "step " << i;
        ASSERT_TRUE(Same(got, steps[i])) << "step " << i;
    }
    StepInput after;
    EXPECT_FALSE(replay.Next(after));
    EXPECT_TRUE(replay.AtEnd());
    replay.Rewind();
    ASSERT_TRUE(replay.Next(after));
    EXPECT_TRUE(Same(after, steps[0]));
}

// A game played from the title by a script (a start, walks, jumps, lives
// lost) ends exactly where its recording, replayed into a new world, ends.
TEST(InputTape, ARecordedGameReplaysToTheSameEnd)
{
    InputTape tape;
    WorldDriver played;
    played.recording = &tape;
    played.world.RunApp();
    played.Step(150);
    played.Type('g');
    for (int second = 0; second < 40; ++second) {
        played.Press(second % 3 == 0 ? KeyTable::kLeft : KeyTable::kRight);
        played.Step(60);
        played.Press(KeyTable::kUp);
        played.Step(40);
        played.Release(KeyTable::kUp);
    }
    ASSERT_LT(played.world.GetLives(), 3) << "the script lost no life: it proves less";

    InputTape replay;
    std::string error;
    ASSERT_TRUE(replay.Decode(tape.Encode(), &error)) << error;
    World world;
    world.RunApp();
    for (StepInput input; replay.Next(input);)
        world.Step(input);
    EXPECT_EQ(GameSummary(world), GameSummary(played.world));
    EXPECT_EQ(world.Steps(), tape.Steps());
    EXPECT_EQ(world.Field().GetPlayer()->GetX(), played.world.Field().GetPlayer()->GetX());
    EXPECT_EQ(world.Field().CoinsTaken(), played.world.Field().CoinsTaken());
    EXPECT_EQ(GameSummary(world).rfind("steps " + std::to_string(tape.Steps()) + " level ", 0), 0u);
}

// The bytes of a recording of `steps` with its header and checksum.
std::string Sealed(const std::string& body, uint64_t steps, uint16_t version = InputTape::kVersion)
{
    std::string file = "BRUVOREC";
    for (int i = 0; i < 2; ++i)
        file.push_back(static_cast<char>((version >> (8 * i)) & 0xFF));
    for (int i = 0; i < 8; ++i)
        file.push_back(static_cast<char>((steps >> (8 * i)) & 0xFF));
    file += body;
    const uint64_t sum = InputTape::Checksum(file.data(), file.size());
    for (int i = 0; i < 8; ++i)
        file.push_back(static_cast<char>((sum >> (8 * i)) & 0xFF));
    return file;
}

TEST(InputTape, AFileThatIsNotAWholeRecordingIsRefusedWithItsReason)
{
    const std::string good = Sealed(std::string("\x11\x05\x21\x01\x01g", 6), 6);
    ASSERT_TRUE(InputTape().Decode(good, nullptr));
    std::string flipped = good;
    flipped[19] ^= 0x40;
    std::string flippedVersion = good;
    flippedVersion[8] ^= 0x01;
    const struct {
        const char* what;
        std::string bytes;
        const char* reason;
    } cases[] = {
        {"empty", "", "not a recording of this game"},
        {"another file", "GIF89a\x01\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", "not a recording"},
        {"only the name", "BRUVOREC", "cut short"},
        {"a later version", Sealed("", 0, 2), "recording version 2 is not this game's (1)"},
        {"a changed byte", flipped, "damaged (its checksum does not match)"},
        {"a changed version byte", flippedVersion, "damaged (its checksum does not match)"},
        {"more than a week of steps", Sealed("\x10\xff\xff\xff\xff\x0f\x10\xff\xff\xff\xff\x0f", 8589934590ull),
         "holds 8589934590 steps, more than a week of play"},
        {"an unknown entry", Sealed("\x40", 1), "damaged at byte 18"},
        {"a run of no steps", Sealed(std::string("\x10\x00", 2), 0), "damaged at byte 18"},
        {"a count running off the end", Sealed("\x10\x80", 1), "damaged at byte 18"},
        {"a count too long", Sealed("\x10\xff\xff\xff\xff\xff\x01", 1), "damaged at byte 18"},
        {"no events in an event step", Sealed(std::string("\x20\x00", 2), 1), "damaged at byte 18"},
        {"nine events", Sealed("\x20\x09" + std::string(18, '\x01'), 1), "damaged at byte 18"},
        {"an unknown event", Sealed(std::string("\x11\x02\x20\x01\x05x", 6), 3), "damaged at byte 20"},
        {"events cut short", Sealed(std::string("\x20\x02\x01g", 4), 1), "damaged at byte 18"},
        {"fewer steps than the header says", Sealed(std::string("\x11\x05", 2), 6), "holds 5 steps, its header says 6"},
    };
    for (const auto& c : cases) {
        InputTape tape;
        std::string error;
        EXPECT_FALSE(tape.Decode(c.bytes, &error)) << c.what;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
        EXPECT_EQ(tape.Steps(), 0) << c.what;
    }
    // Cut anywhere, it is refused.
    for (size_t length = 0; length < good.size(); ++length)
        EXPECT_FALSE(InputTape().Decode(good.substr(0, length), nullptr)) << length << " bytes";
}

TEST(InputTape, FilesAreWrittenWholeOrNotAtAllAndReadWithTheirPathInTheReason)
{
    TempDir folder;
    InputTape tape;
    StepInput step;
    step.held = StepInput::kUp;
    tape.Record(step);
    std::string error;
    ASSERT_TRUE(tape.Save(folder.File("game.rec"), &error)) << error;
    EXPECT_EQ(folder.Read("game.rec"), tape.Encode());
    InputTape loaded;
    ASSERT_TRUE(loaded.Load(folder.File("game.rec"), &error)) << error;
    EXPECT_EQ(loaded.Steps(), 1);

    EXPECT_FALSE(tape.Save(folder.File("no/such/folder/game.rec"), &error));
    EXPECT_EQ(error, "Recording " + folder.File("no/such/folder/game.rec") + ": cannot be written");
    EXPECT_FALSE(InputTape::CanSave(folder.File("no/such/folder/game.rec"), &error));
    EXPECT_EQ(error, "Recording " + folder.File("no/such/folder/game.rec") + ": cannot be written");
    EXPECT_TRUE(InputTape::CanSave(folder.File("new.rec"), &error));
    EXPECT_EQ(folder.Read("new.rec.part"), "") << "the trial leaves nothing";
    EXPECT_FALSE(loaded.Load(folder.File("missing.rec"), &error));
    EXPECT_EQ(error, "Recording " + folder.File("missing.rec") + ": cannot be read");
    ASSERT_EQ(mkdir(folder.File("a folder").c_str(), 0755), 0);
    EXPECT_FALSE(loaded.Load(folder.File("a folder"), &error));
    EXPECT_EQ(error, "Recording " + folder.File("a folder") + ": cannot be read");
    folder.Write("words.rec", "steps 10 level 1 score 0 lives 3\n");
    EXPECT_FALSE(loaded.Load(folder.File("words.rec"), &error));
    EXPECT_EQ(error, "Recording " + folder.File("words.rec") + ": not a recording of this game");
}

}  // namespace
