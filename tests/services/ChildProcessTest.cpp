// Children started without a shell: what they inherit and how they end.
#include "services/ChildProcess.h"
#include "support/FileUtil.h"
#include "tests/common/TempDir.h"
#include "tests/common/ChildWatch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kLeakyFd = 42;   // opened by the test without close-on-exec

class ChildProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Enter();
        dir.Write("secret-file", "x");
        int fd = open("secret-file", O_RDONLY);   // deliberately without O_CLOEXEC
        ASSERT_GE(fd, 0);
        ASSERT_EQ(dup2(fd, kLeakyFd), kLeakyFd);
        close(fd);
    }
    void TearDown() override { close(kLeakyFd); }

    TempDir dir;
};

TEST_F(ChildProcessTest, StartedProgramSeesNoInheritedDescriptor)
{
    // Through system() the shell does inherit it, which shows the check works.
    ASSERT_EQ(std::system("ls -l /proc/$$/fd > through-shell"), 0);
    EXPECT_NE(dir.Read("through-shell").find("secret-file"), std::string::npos);

    pid_t child = StartChild({"sh", "-c", "ls -l /proc/$$/fd > listing"});
    ASSERT_GT(child, 0);
    int status = ReapAndGetStatus(child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::string listing = dir.Read("listing");
    EXPECT_NE(listing.find("/listing"), std::string::npos) << listing;   // it did list
    EXPECT_EQ(listing.find("secret-file"), std::string::npos) << listing;
}

void ReportDescriptor(void* context)
{
    const char* report = static_cast<const char*>(context);
    std::ofstream(report) << (fcntl(kLeakyFd, F_GETFD) < 0 ? "closed" : "open");
}

TEST_F(ChildProcessTest, ForkedFunctionRunsWithDescriptorsClosed)
{
    std::string report = dir.File("report");
    pid_t child = StartChildFunction(ReportDescriptor, report.data());
    ASSERT_GT(child, 0);
    int status = ReapAndGetStatus(child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(dir.Read("report"), "closed");
}

TEST_F(ChildProcessTest, ProgramThatCannotBeStartedEndsThe127Way)
{
    pid_t child = StartChild({"no-such-program-anywhere"});
    ASSERT_GT(child, 0);
    int status = ReapAndGetStatus(child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 127);
    EXPECT_EQ(RunChildAndWait({"sh", "-c", "exit 3"}), 3 << 8);
    EXPECT_EQ(StartChild({}), -1);
}

TEST_F(ChildProcessTest, EndedChildrenAreCollectedAndForgotten)
{
    pid_t first = StartChild({"true"});
    pid_t second = StartChild({"true"});
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_TRUE(IsChildPending(first));
    ASSERT_TRUE(WaitUntilEnded(first));
    ASSERT_TRUE(WaitUntilEnded(second));
    EXPECT_EQ(CountZombieChildren(), 2);
    ReapChildren();
    EXPECT_EQ(CountZombieChildren(), 0);
    EXPECT_FALSE(IsChildPending(first));
    EXPECT_FALSE(IsChildPending(second));
    EXPECT_FALSE(IsChildPending(0));
}

} // namespace
