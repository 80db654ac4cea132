// A one-minute soak of the real game: bruvo_soak plays it with seeded random
// input under its own Xvfb and openbox. Nothing may crash, and once the first
// game is over the game must not keep more descriptors, children or log.
#include <gtest/gtest.h>

#include "tests/common/Process.h"
#include "tests/common/TempDir.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPlaySeconds = 60;
constexpr int kRowSeconds = 5;
constexpr int kExitWaitMs = 240000;   // start-up, the minute of play and the close, on a slow sanitized build
constexpr int kChildAllowance = 2;    // sounds starting and ending between two rows

struct Row {
    long seconds, rssKb, descriptors, children, logBytes;
    double cpuSeconds;
    long games;
};

std::vector<Row> Rows(const std::string& output)
{
    std::vector<Row> rows;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        Row row{};
        std::istringstream fields(line);
        if (fields >> row.seconds >> row.rssKb >> row.descriptors >> row.children >> row.logBytes >> row.cpuSeconds >>
            row.games)
            rows.push_back(row);
    }
    return rows;
}

TEST(Soak, AMinuteOfRandomPlayLeavesNothingBehind)
{
    TempDir folder;
    ChildProgram soak({BRUVO_SOAK_TOOL, "--game-dir", GameDir(), "--seed", "1", "--duration",
                       std::to_string(kPlaySeconds), "--interval", std::to_string(kRowSeconds)},
                      folder.Path());
    ASSERT_TRUE(soak.WaitExit(kExitWaitMs)) << soak.Output();
    const std::string output = soak.Output();
    EXPECT_EQ(soak.ExitStatus(), 0) << output;
    EXPECT_NE(output.find("result: ok"), std::string::npos) << output;

    const std::vector<Row> rows = Rows(output);
    ASSERT_GE(rows.size(), size_t(kPlaySeconds / kRowSeconds)) << output;
    size_t first = 0;
    while (first < rows.size() && rows[first].games == 0)
        ++first;
    ASSERT_LT(first, rows.size()) << "no game finished within the minute:\n" << output;
    const Row& baseline = rows[first];
    for (size_t i = first; i < rows.size(); ++i) {
        SCOPED_TRACE(output);
        EXPECT_EQ(rows[i].descriptors, baseline.descriptors) << "at " << rows[i].seconds << " s";
        EXPECT_LE(rows[i].children, baseline.children + kChildAllowance) << "at " << rows[i].seconds << " s";
        EXPECT_EQ(rows[i].logBytes, baseline.logBytes) << "at " << rows[i].seconds << " s";
    }
}

} // namespace
