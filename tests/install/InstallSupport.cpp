#include "tests/install/InstallSupport.h"

#include "tests/common/Process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kProgramTimeoutMs = 120000;
}

Outcome RunProgram(const std::vector<std::string>& argv, const std::string& folder, const std::vector<std::string>& env)
{
    std::vector<std::string> shell = {"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1"};
    shell.insert(shell.end(), argv.begin(), argv.end());
    ChildProgram program(shell, folder, env);
    const bool ended = program.WaitExit(kProgramTimeoutMs);
    return {ended ? program.ExitStatus() : -1, program.Output()};
}

Outcome RunAsPlayer(const std::vector<std::string>& argv, const std::string& folder,
                    const std::vector<std::string>& env)
{
    std::vector<std::string> switched = {"/usr/bin/setpriv", "--reuid=" + std::to_string(Player().uid),
                                         "--regid=" + std::to_string(Player().gid), "--clear-groups"};
    switched.insert(switched.end(), argv.begin(), argv.end());
    return RunProgram(getuid() == 0 ? switched : argv, folder, env);
}

PlayerUser Player()
{
    const passwd* nobody = getuid() == 0 ? getpwnam("nobody") : nullptr;
    return nobody != nullptr ? PlayerUser{nobody->pw_uid, nobody->pw_gid} : PlayerUser{getuid(), getgid()};
}

void GiveToPlayer(const std::string& path)
{
    const std::string owner = std::to_string(Player().uid) + ":" + std::to_string(Player().gid);
    EXPECT_EQ(RunProgram({"/bin/chown", "-R", owner, path}).status, 0) << path;
}

SharedDir::SharedDir() { chmod(Path().c_str(), 0755); }

bool Install(const std::string& prefix, const std::string& destdir)
{
    const Outcome installed = RunProgram({BRUVO_CMAKE, "--install", BRUVO_BUILD_DIR, "--prefix", prefix}, "/",
                                         {destdir.empty() ? "DESTDIR" : "DESTDIR=" + destdir});
    EXPECT_EQ(installed.status, 0) << installed.output;
    return installed.status == 0;
}

std::string Snapshot(const std::string& root)
{
    return RunProgram({"/bin/sh", "-c", "find \"$0\" -printf '%P %y %m %s %T@ %l\\n' | sort", root}).output;
}

std::vector<std::string> FilesOf(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.is_regular_file() && !entry.is_symlink())
            names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}
