// A soak of the real game: bruvo_soak plays it with seeded random input under
// its own Xvfb and openbox until the first game is over, then for a steady
// part. Nothing may crash; in the steady part the game must not gain
// descriptors, children or log; the tool leaves no folder behind.
#include <gtest/gtest.h>

#include "tests/common/Process.h"
#include "tests/common/TempDir.h"

#include <dirent.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Random input loses three lives in well under a minute on a fast build; the
// limit leaves room for a slow, loaded, sanitized one.
constexpr int kFirstGameSeconds = 240;
constexpr int kSteadySeconds = 40;    // measured after the first game is over
constexpr int kRowSeconds = 5;
// Start-up, the first game, the steady part and the close, generously, yet
// within the test runner's 600 s per test.
constexpr int kExitWaitMs = (kFirstGameSeconds + kSteadySeconds + 180) * 1000;
// What legitimately varies from one row to the next: a sound child (and its
// descriptor, while it starts) alive at the moment of the row or not.
constexpr long kDescriptorAllowance = 1;
constexpr long kChildAllowance = 2;

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

// Entries of a folder whose names start with prefix.
int CountEntries(const std::string& folder, const std::string& prefix)
{
    int count = 0;
    if (DIR* listing = opendir(folder.c_str())) {
        while (dirent* entry = readdir(listing))
            count += std::string(entry->d_name).rfind(prefix, 0) == 0;
        closedir(listing);
    }
    return count;
}

TEST(Soak, RandomPlayAfterTheFirstGameLeavesNothingBehind)
{
    TempDir folder;
    ChildProgram soak({BRUVO_SOAK_TOOL, "--game-dir", GameDir(), "--seed", "1", "--duration",
                       std::to_string(kSteadySeconds), "--interval", std::to_string(kRowSeconds),
                       "--first-game-within", std::to_string(kFirstGameSeconds)},
                      folder.Path(), {"TMPDIR=" + folder.Path()});
    ASSERT_TRUE(soak.WaitExit(kExitWaitMs)) << soak.Output();
    const std::string output = soak.Output();
    EXPECT_EQ(soak.ExitStatus(), 0) << output;
    EXPECT_NE(output.find("result: ok"), std::string::npos) << output;
    EXPECT_EQ(CountEntries(folder.Path(), "bruvo_soak."), 0) << "the game's folder is removed";

    // The steady part: the rows once a game is over.
    std::vector<Row> steady;
    for (const Row& row : Rows(output))
        if (row.games > 0)
            steady.push_back(row);
    ASSERT_GE(steady.size(), size_t(kSteadySeconds / kRowSeconds - 1)) << output;
    const Row& baseline = steady.front();
    SCOPED_TRACE(output);
    for (const Row& row : steady) {
        EXPECT_LE(row.descriptors, baseline.descriptors + kDescriptorAllowance) << "at " << row.seconds << " s";
        EXPECT_LE(row.children, baseline.children + kChildAllowance) << "at " << row.seconds << " s";
        EXPECT_EQ(row.logBytes, baseline.logBytes) << "at " << row.seconds << " s";
    }
}

} // namespace
