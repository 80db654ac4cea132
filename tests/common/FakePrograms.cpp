#include "tests/common/FakePrograms.h"

#include <chrono>
#include <cstdlib>
#include <sys/stat.h>
#include <thread>

namespace {
constexpr int kPollMs = 20;  // between looks for the record
}

FakePrograms::FakePrograms(const TempDir& folder, const std::vector<std::string>& names) : dir(folder)
{
    mkdir(dir.File("fake-bin").c_str(), 0777);
    for (const std::string& name : names) {
        // Written aside and renamed, so a record is never seen half-written.
        const std::string record = dir.File(name + ".args");
        const std::string script = "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > '" + record +
                                   ".part'\nmv '" + record + ".part' '" + record + "'\n";
        const std::string program = "fake-bin/" + name;
        dir.Write(program, script);
        chmod(dir.File(program).c_str(), 0755);
    }
    const char* old = std::getenv("PATH");
    path = std::make_unique<ScopedEnv>("PATH", dir.File("fake-bin") + ":" + (old ? old : "/usr/bin:/bin"));
}

std::string FakePrograms::Arguments(const std::string& name) const
{
    return ReadFileBytes(dir.File(name + ".args"));
}

bool FakePrograms::WaitForRun(const std::string& name, int timeoutMs) const
{
    const std::string record = dir.File(name + ".args");
    struct stat info {};
    for (int waited = 0; waited < timeoutMs; waited += kPollMs) {
        if (stat(record.c_str(), &info) == 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    return stat(record.c_str(), &info) == 0;
}
