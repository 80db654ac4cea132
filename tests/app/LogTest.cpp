#include "support/Log.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(WriteLog, AppendsEachMessageAsOneLineAndEchoesIt)
{
    TempDir dir;
    dir.Enter();
    testing::internal::CaptureStdout();
    WriteLog("A");
    WriteLog(std::string("B"));
    WriteLog("");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "A\nB\n\n");
    EXPECT_EQ(dir.Read("log.txt"), "A\nB\n\n");
}

TEST(WriteLog, KeepsAnExistingLogAndWritesMessagesUnchanged)
{
    TempDir dir;
    dir.Enter();
    dir.Write("log.txt", "earlier\n");
    testing::internal::CaptureStdout();
    WriteLog("two\nlines %s");
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(dir.Read("log.txt"), "earlier\ntwo\nlines %s\n");
}

TEST(WriteLog, StillEchoesWhenTheFileCannotBeWritten)
{
    TempDir dir;
    dir.Enter();
    // A folder in the log's place makes the file impossible to open, even for root.
    ASSERT_EQ(mkdir(dir.File("log.txt").c_str(), 0700), 0);
    testing::internal::CaptureStdout();
    WriteLog("lost in the log");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "lost in the log\n");
}
