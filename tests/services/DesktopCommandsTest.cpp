// The browser and the mail client, replaced by scripts on PATH that record
// the arguments they were given.
#include "services/ChildProcess.h"
#include "services/DesktopCommands.h"
#include "services/StandardFolders.h"
#include "support/FileUtil.h"
#include "support/StringUtil.h"
#include "tests/common/ChildWatch.h"
#include "tests/common/FakePrograms.h"
#include "tests/common/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>

namespace {

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Enter();
        programs = std::make_unique<FakePrograms>(dir, std::vector<std::string>{"firefox", "thunderbird"});
    }

    // The only child at this point is the program just started.
    void WaitForTheProgram()
    {
        int status = 0;
        ASSERT_GT(waitpid(-1, &status, 0), 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }

    TempDir dir;
    std::unique_ptr<FakePrograms> programs;
};

TEST_F(DesktopTest, BrowserGetsTheAddressAsOneUninterpretedArgument)
{
    OpenBrowser("http://example.org/?a=1&b=2; touch marker $(touch marker2) `touch marker3`");
    WaitForTheProgram();
    EXPECT_EQ(dir.Read("firefox.args"),
              "[http://example.org/?a=1&b=2; touch marker $(touch marker2) `touch marker3`]\n");
    EXPECT_FALSE(FileExists("marker"));
    EXPECT_FALSE(FileExists("marker2"));
    EXPECT_FALSE(FileExists("marker3"));
}

TEST_F(DesktopTest, MailClientGetsComposeAndTheAddress)
{
    OpenMailClient("bruvo@example.org; touch marker $(touch marker2)");
    WaitForTheProgram();
    EXPECT_EQ(dir.Read("thunderbird.args"), "[-compose]\n[to=bruvo@example.org; touch marker $(touch marker2)]\n");
    EXPECT_FALSE(FileExists("marker"));
    EXPECT_FALSE(FileExists("marker2"));
}

TEST_F(DesktopTest, AddressesThatWouldBeOptionsOrAddFieldsAreRefused)
{
    OpenBrowser("");
    OpenBrowser("-profile /tmp/x");
    for (const char* address : {"", "-x@example.org", "a@example.org,subject=hi", "a@example.org'", "a\"@b",
                                "a@example.org\nattachment=x"})
        OpenMailClient(address);
    EXPECT_EQ(CountZombieChildren(), 0);
    EXPECT_FALSE(FileExists("firefox.args"));
    EXPECT_FALSE(FileExists("thunderbird.args"));
    const std::string log = dir.Read("log.txt");
    EXPECT_NE(log.find("OpenBrowser: indirizzo rifiutato \"-profile /tmp/x\""), std::string::npos) << log;
    EXPECT_NE(log.find("OpenMailClient: indirizzo rifiutato \"a@example.org,subject=hi\""), std::string::npos);
    EXPECT_NE(log.find("OpenMailClient: indirizzo rifiutato \"a@example.org?attachment=x\""), std::string::npos)
        << "a control character does not break the log line";
    EXPECT_EQ(Split(TrimRight(log), "\n").size(), 8u) << "one line for each refusal";

    EXPECT_TRUE(IsAcceptedWebAddress("http://x-y.example.org/a,b"));
    EXPECT_TRUE(IsAcceptedMailAddress("first.last+tag@x-y.example.org"));
}

TEST_F(DesktopTest, EndedProgramsAreReapedByTheNextStart)
{
    OpenBrowser("http://example.org/");
    siginfo_t info{};
    ASSERT_EQ(waitid(P_ALL, 0, &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(CountZombieChildren(), 1);
    OpenMailClient("a@example.org");   // collects the browser first
    ASSERT_EQ(waitid(P_ALL, 0, &info, WEXITED | WNOWAIT), 0);
    EXPECT_EQ(CountZombieChildren(), 1);
    ReapChildren();
    EXPECT_EQ(CountZombieChildren(), 0);
    EXPECT_EQ(dir.Read("firefox.args"), "[http://example.org/]\n");
    EXPECT_EQ(dir.Read("thunderbird.args"), "[-compose]\n[to=a@example.org]\n");
}

TEST_F(DesktopTest, RunShellReportsANonZeroStatus)
{
    EXPECT_FALSE(RunShell("true"));
    EXPECT_TRUE(RunShell("exit 2"));
    EXPECT_FALSE(RunShell("touch made-by-shell"));
    EXPECT_TRUE(FileExists("made-by-shell"));
}

class FoldersTest : public ::testing::Test {
protected:
    void SetUp() override { dir.Enter(); }
    TempDir dir;
};

TEST_F(FoldersTest, GettersCreateTheirFolderOnce)
{
    struct Getter {
        std::string (*get)();
        const char* name;
    };
    const Getter getters[] = {
        {DocumentsFolder, "Documenti"}, {DesktopFolder, "Desktop"}, {DownloadFolder, "Download"},
        {DataFolder, "Data"},           {MusicFolder, "Musica"},    {PicturesFolder, "Immagini"},
        {ProgramDataFolder, "ProgramData"},
    };
    for (const Getter& getter : getters) {
        EXPECT_FALSE(FileExists(getter.name));
        EXPECT_EQ(getter.get(), getter.name);
        struct stat info {};
        ASSERT_EQ(stat(getter.name, &info), 0) << getter.name;
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        dir.Write(std::string(getter.name) + "/kept", "x");
        EXPECT_EQ(getter.get(), getter.name);
        EXPECT_EQ(dir.Read(std::string(getter.name) + "/kept"), "x");
    }
}

TEST_F(FoldersTest, SettingsLiveUnderSettingsGroupSection)
{
    EXPECT_EQ(SettingsPath("a", "b", "c"), "Settings/a/b/c");
    struct stat info {};
    ASSERT_EQ(stat("Settings/a/b", &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_FALSE(FileExists("Settings/a/b/c"));

    EXPECT_TRUE(WriteSettings("a", "b", "c", {"one", "two"}));
    EXPECT_EQ(dir.Read("Settings/a/b/c"), "one\ntwo\n");
    EXPECT_EQ(ReadSettings("a", "b", "c"), "one\r\ntwo\r\n");
    EXPECT_TRUE(WriteSettings("a", "b", "c", {"three"}));
    EXPECT_EQ(ReadSettings("a", "b", "c"), "three\r\n");
}

} // namespace
