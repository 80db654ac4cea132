// Recorded games end to end: the real game records what a player does with
// --record, replays it in its window with --replay (keys then do nothing)
// and ends with it, and bruvo-replay runs it with no display at all: all
// three report the same end. A damaged file, or one that cannot be written,
// is refused before any window.
#include <gtest/gtest.h>

#include "tests/common/Process.h"
#include "tests/e2e/GameProcess.h"

#include <X11/keysym.h>

#include <string>

namespace {

// The summary line the game logs when a recording ends ("steps N ...").
std::string SummaryIn(const std::string& log)
{
    std::string found;
    for (size_t at = 0; at < log.size();) {
        const size_t end = log.find('\n', at);
        const std::string line = log.substr(at, end == std::string::npos ? std::string::npos : end - at);
        if (line.rfind("steps ", 0) == 0)
            found = line;
        at = end == std::string::npos ? log.size() : end + 1;
    }
    return found;
}

TEST(RecordedGame, EndsTheSameRecordedReplayedInTheWindowAndWithoutADisplay)
{
    GameProcess recorder;
    ASSERT_TRUE(recorder.Start({"--record", "game.rec"})) << recorder.Problem();
    recorder.Pause(1500);  // the loading and the title
    recorder.Key(XK_g);
    for (int round = 0; round < 4; ++round) {
        recorder.Hold(XK_Right, true);
        recorder.Pause(450);
        recorder.Key(XK_Up);
        recorder.Pause(350);
        recorder.Hold(XK_Right, false);
        recorder.Hold(XK_Left, true);
        recorder.Pause(300);
        recorder.Hold(XK_Left, false);
    }
    recorder.Key(XK_p);
    recorder.Pause(300);
    recorder.Key(XK_p);
    recorder.Pause(500);
    ASSERT_EQ(recorder.Close(), 0);
    const std::string recorded = SummaryIn(recorder.Read("log.txt"));
    ASSERT_FALSE(recorded.empty()) << recorder.Read("log.txt");
    const std::string file = recorder.Read("game.rec");
    ASSERT_FALSE(file.empty());

    // In the window, at the game's pace; the keys of a watcher change nothing.
    GameProcess player;
    player.Write("game.rec", file);
    ASSERT_TRUE(player.Start({"--replay", "game.rec"})) << player.Problem();
    player.Pause(2500);
    player.Key(XK_n);
    player.Key(XK_Left);
    player.Key(XK_p);
    EXPECT_EQ(player.WaitForExit(60000), 0) << "the replay ends with its file";
    EXPECT_EQ(SummaryIn(player.Read("log.txt")), recorded);
    EXPECT_EQ(player.Read("Data/Bruvo Stage Krodel/Score/Classifica.txt"), "") << "a replay records no score";

    // Without a display and without Data/.
    ChildProgram replay({BRUVO_REPLAY_PATH, player.Path("game.rec")}, "/", {"DISPLAY"});
    ASSERT_TRUE(replay.WaitExit(20000));
    EXPECT_EQ(replay.ExitStatus(), 0);
    EXPECT_EQ(replay.Output(), recorded + "\n");
}

TEST(RecordedGame, ADamagedOrUnwritableRecordingIsRefusedWithOneLineAndNoWindow)
{
    GameProcess game;
    // A recording of one step with a byte changed: the checksum no longer matches.
    std::string file = std::string("BRUVOREC\x01\x00\x01\x00\x00\x00\x00\x00\x00\x00\x10\x01", 20);
    file += std::string(8, '\x00');
    game.Write("bad.rec", file);
    EXPECT_EQ(game.RunWithoutWindow({"--replay", "bad.rec"}), 1);
    EXPECT_EQ(game.Read("log.txt"), "Recording bad.rec: damaged (its checksum does not match)\n");
    EXPECT_EQ(game.RunWithoutWindow({"--replay"}), 2) << "an option without its file";
    EXPECT_EQ(game.RunWithoutWindow({"--record", "no/such/folder/game.rec"}), 1);
    EXPECT_EQ(game.Read("log.txt"), "Recording no/such/folder/game.rec: cannot be written\n");
}

}  // namespace
