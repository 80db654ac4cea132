// Scripts standing in for outside programs (the browser, the mail client).
// While a FakePrograms lives its folder comes first on PATH; each program
// there writes the arguments it was given to "<name>.args" in the test folder,
// one "[argument]" a line, and exits with status 0.
#pragma once

#include "tests/common/ChildWatch.h"
#include "tests/common/TempDir.h"

#include <memory>
#include <string>
#include <vector>

class FakePrograms {
public:
    FakePrograms(const TempDir& folder, const std::vector<std::string>& names);

    // The arguments of the program's last run; empty while it has not run.
    std::string Arguments(const std::string& name) const;
    // Waits up to timeoutMs for a run of the program to be recorded.
    bool WaitForRun(const std::string& name, int timeoutMs = 30000) const;

private:
    const TempDir& dir;
    std::unique_ptr<ScopedEnv> path;
};
