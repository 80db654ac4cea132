// Plays every layout for 6 s of game time, with three scripts of input, and
// compares what happened with a recorded trace, line by line. Every twentieth
// step the trace notes the game's state, score, lives and view, and the
// place and frame of the player, every enemy and every fire, so a changed
// layout entry, speed, period, rule or order of work inside a step changes
// it. Steps spent in the waits after a lost life or a finished level are not
// counted: the traces follow the play.
//
// The traces are the files tests/world/traces/layout<N>-<script>.txt. After a
// deliberate change of the game's rules, run this test with
// BRUVO_RECORD_TRACES=1 in the environment: it writes the new traces over the
// old ones. Read the difference (git diff) and play the game before
// committing them.
#include "tests/world/WorldDriver.h"

#include "game/world/LevelLayouts.h"
#include "game/world/SpriteActors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

constexpr int kSteps = 600;       // 6 s of game time
constexpr int kSampleEvery = 20;  // steps between trace lines

// Right with jumps, a stop, then back left with a jump.
void RunAndJump(WorldDriver& d, int step)
{
    switch (step) {
    case 0: d.Press(KeyTable::kRight); break;
    case 40: d.Press(KeyTable::kUp); break;
    case 41: d.Release(KeyTable::kUp); d.Press(KeyTable::kRight); break;
    case 150: d.Press(KeyTable::kUp); break;
    case 151: d.Release(KeyTable::kUp); d.Press(KeyTable::kRight); break;
    case 300: d.Release(KeyTable::kRight); break;
    case 360: d.Press(KeyTable::kLeft); break;
    case 420: d.Press(KeyTable::kUp); break;
    case 421: d.Release(KeyTable::kUp); d.Press(KeyTable::kLeft); break;
    case 520: d.Release(KeyTable::kLeft); break;
    default: break;
    }
}

// A jump straight up from mid-air through the coin at (330, 340), which only
// the jump's own coin check can take, then a walk to the left, where the
// fires of layouts 6 to 8 burn.
void JumpInPlaceThenLeft(WorldDriver& d, int step)
{
    switch (step) {
    case 0: d.PlacePlayer(330, 400); break;
    case 1: d.Press(KeyTable::kUp); break;
    case 3: d.Release(KeyTable::kUp); break;  // the input poll acts on every second step
    case 150: d.Press(KeyTable::kLeft); break;
    case 175: d.Release(KeyTable::kLeft); break;
    case 300: d.Press(KeyTable::kLeft); break;
    case 330: d.Release(KeyTable::kLeft); break;
    default: break;
    }
}

struct Script {
    const char* name;
    void (*act)(WorldDriver&, int);
};
constexpr Script kScripts[] = {
    {"stand-still", nullptr},
    {"run-and-jump", RunAndJump},
    {"jump-then-left", JumpInPlaceThenLeft},
};

std::string Trace(int layout, const Script& script)
{
    WorldDriver d;
    d.world.StartGame(layout);
    std::string trace;
    for (int step = 0; step < kSteps;) {
        if (d.world.IsWaiting()) {
            d.Step();
            continue;
        }
        if (script.act != nullptr)
            script.act(d, step);
        d.Step();
        if (step % kSampleEvery == 0)
            trace += d.Describe(step) + "\n";
        ++step;
    }
    return trace;
}

std::string TracePath(int layout, const Script& script)
{
    return std::string(BRUVO_SOURCE_DIR) + "/tests/world/traces/layout" + std::to_string(layout) + "-" +
           script.name + ".txt";
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class LevelTrace : public ::testing::TestWithParam<int> {};

TEST_P(LevelTrace, PlaysAsRecorded)
{
    const int layout = GetParam();
    const bool record = std::getenv("BRUVO_RECORD_TRACES") != nullptr;
    for (const Script& script : kScripts) {
        const std::string path = TracePath(layout, script);
        const std::string trace = Trace(layout, script);
        if (record) {
            std::ofstream(path) << trace;
            continue;
        }
        std::ifstream file(path);
        ASSERT_TRUE(file.good()) << path << " is missing: record it with BRUVO_RECORD_TRACES=1";
        std::stringstream recorded;
        recorded << file.rdbuf();
        const std::vector<std::string> want = Lines(recorded.str()), got = Lines(trace);
        for (size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
            const std::string expected = i < want.size() ? want[i] : "(nothing)";
            const std::string actual = i < got.size() ? got[i] : "(nothing)";
            ASSERT_EQ(actual, expected) << script.name << ", layout " << layout << ", line " << i + 1 << " of "
                                        << path;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, LevelTrace, ::testing::Range(1, Layouts::kLayoutCount + 1));

}  // namespace
