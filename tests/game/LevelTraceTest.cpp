// Plays every layout for a few seconds of game time, once standing still and
// once with a scripted run of walks and jumps, and compares a fingerprint of
// what happened with a recorded one. Every 20 ticks the trace notes the game's
// state, score, lives and view, and the place and frame of the player, every
// enemy and every fire, so a changed layout entry, speed, period, rule or
// order of work inside a tick changes it.
//
// After a deliberate change of the game's behaviour the failure prints each
// new fingerprint and the trace's last lines: look at what the game does
// now (play it), then copy the printed values into kRecorded below.
#include <gtest/gtest.h>

#include "tests/game/GameFixture.h"

#include "game/KeyTable.h"
#include "game/LevelLayouts.h"
#include "game/SpriteActors.h"

#include <X11/keysym.h>
#include <sstream>

namespace {

constexpr int kTicks = 600;        // 6 s of game time
constexpr int kSampleEvery = 20;   // ticks between trace lines

enum class Script { StandStill, RunAndJump, JumpInPlaceThenLeft };

// Right with jumps, a stop, then back left with a jump.
void RunAndJump(GameFixture& f, int tick)
{
    switch (tick) {
    case 0: f.Press(XK_Right); break;
    case 40: f.Press(XK_Up); break;
    case 41: f.Release(XK_Up); f.Press(XK_Right); break;
    case 150: f.Press(XK_Up); break;
    case 151: f.Release(XK_Up); f.Press(XK_Right); break;
    case 300: f.Release(XK_Right); break;
    case 360: f.Press(XK_Left); break;
    case 420: f.Press(XK_Up); break;
    case 421: f.Release(XK_Up); f.Press(XK_Left); break;
    case 520: f.Release(XK_Left); break;
    default: break;
    }
}

// A jump straight up from mid-air through the coin at (330, 340), which only
// the jump's own coin check can take, then a walk to the left, where the
// fires of layouts 6 to 8 burn.
void JumpInPlaceThenLeft(GameFixture& f, int tick)
{
    switch (tick) {
    case 0: f.PlacePlayer(330, 400); break;
    case 1: f.Press(XK_Up); break;
    case 3: f.Release(XK_Up); break;  // the input poll acts on every second tick
    case 150: f.Press(XK_Left); break;
    case 175: f.Release(XK_Left); break;
    case 300: f.Press(XK_Left); break;
    case 330: f.Release(XK_Left); break;
    default: break;
    }
}

void Note(std::ostream& out, const char* name, const Sprite* sprite)
{
    if (sprite != nullptr)
        out << ' ' << name << '(' << sprite->GetX() << ',' << sprite->GetY() << ',' << sprite->GetFrame() << ')';
}

std::string Sample(TestGame& game, int tick)
{
    std::ostringstream out;
    out << tick << ": state " << int(game.GetGameState()) << " score " << game.GetScore() << " lives "
        << game.GetLives() << " level " << game.GetLevel() << " scroll " << game.GetScroll() << " coins "
        << game.CoinsTaken() << (game.IsJumping() ? " jumping" : "")
        << (game.GetSpawnGrace().Protects() ? " grace" : "");
    Note(out, "player", game.GetPlayer());
    for (const SpriteApe* bee : game.Bees())
        Note(out, "bee", bee);
    for (const SpriteApe* ufo : game.Ufos())
        Note(out, "ufo", ufo);
    for (const SpriteFire* fire : game.Fires()) {
        Note(out, "fire", fire);
        out << (fire->active ? "" : "-");
    }
    return out.str();
}

std::string Trace(GameFixture& f, int layout, Script script)
{
    f.StartGameAt(layout);
    std::string trace;
    for (int tick = 0; tick < kTicks; ++tick) {
        if (script == Script::RunAndJump)
            RunAndJump(f, tick);
        else if (script == Script::JumpInPlaceThenLeft)
            JumpInPlaceThenLeft(f, tick);
        // A lost life waits on the clock before the level starts again.
        if (f.game->GetGameState() == GameState::Restarting)
            f.AdvanceClock(2);
        f.Tick();
        if (tick % kSampleEvery == 0)
            trace += Sample(*f.game, tick) + "\n";
    }
    return trace;
}

uint64_t Fnv1a(const std::string& text)
{
    uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : text)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::string LastLines(const std::string& text, int count)
{
    size_t at = text.size();
    for (int i = 0; i <= count && at > 0; ++i)
        at = text.rfind('\n', at - 1);
    return at == std::string::npos ? text : text.substr(at + 1);
}

// Layout 1 first: {standing still, running and jumping, jumping in place then left}.
constexpr uint64_t kRecorded[][3] = {
    {0xd417df0327de6959ull, 0xc1da519423aef43dull, 0x5abd12f040bc2b8full},
    {0x4bc31f9721843e1bull, 0x0ad3e6980a64c0c3ull, 0x8a781a3959568d6aull},
    {0xccbce2c3d9a3044eull, 0xe166bb0f9c32f2dcull, 0x346776419e6c92daull},
    {0xdeec32b65e27c017ull, 0x4752ef8e4609b9fcull, 0xee0c25114956f734ull},
    {0xdd0c766384df9c1dull, 0x238f554e19cbf15bull, 0xb4b33324614474a0ull},
    {0xe55f3ada4af3e2f0ull, 0x46f934fdde3a461dull, 0xe899bf8ec4e28415ull},
    {0xb18238fc349cef4cull, 0x38c9f90ee0f25acfull, 0xb4f37643d78a0f53ull},
    {0xc46a4886e7a47db3ull, 0xf1f8482a062fba9eull, 0xd79920fc1d2e0c58ull},
};
static_assert(sizeof kRecorded / sizeof kRecorded[0] == Layouts::kLayoutCount, "three fingerprints per layout");

class LevelTrace : public ::testing::TestWithParam<int> {};

TEST_P(LevelTrace, PlaysAsRecorded)
{
    const int layout = GetParam();
    const Script scripts[] = {Script::StandStill, Script::RunAndJump, Script::JumpInPlaceThenLeft};
    const char* const names[] = {"standing still", "running and jumping", "jumping in place, then left"};
    for (int i = 0; i < 3; ++i) {
        GameFixture f;
        ASSERT_TRUE(f.Ready());
        const std::string trace = Trace(f, layout, scripts[i]);
        EXPECT_EQ(Fnv1a(trace), kRecorded[layout - 1][i])
            << names[i] << ", layout " << layout << ", now 0x" << std::hex
            << Fnv1a(trace) << "ull; the trace ends:\n" << LastLines(trace, 3);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, LevelTrace, ::testing::Range(1, Layouts::kLayoutCount + 1));

}  // namespace
