#include "services/DesktopCommands.h"

#include "services/ChildProcess.h"

#include <cstdlib>
#include <vector>

namespace {

void StartInBackground(const std::vector<std::string>& argv)
{
    ReapChildren();
    // Without a process to spare the program runs in the foreground.
    if (StartChild(argv) < 0)
        RunChildAndWait(argv);
}

} // namespace

bool RunShell(const std::string& command)
{
    return std::system(command.c_str()) != 0;
}

void OpenBrowser(const std::string& address)
{
    StartInBackground({"firefox", address});
}

void OpenMailClient(const std::string& address)
{
    StartInBackground({"thunderbird", "-compose", "to=" + address});
}
