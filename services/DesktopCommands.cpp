#include "services/DesktopCommands.h"

#include "services/ChildProcess.h"
#include "support/Log.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// The address as a log line can hold it: control characters become "?".
std::string Printable(const std::string& address)
{
    std::string shown = address;
    std::replace_if(shown.begin(), shown.end(), IsControl, '?');
    return shown;
}

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

bool IsAcceptedWebAddress(const std::string& address)
{
    return !address.empty() && address[0] != '-';
}

bool IsAcceptedMailAddress(const std::string& address)
{
    // Thunderbird splits its compose line into fields at commas outside quotes.
    return IsAcceptedWebAddress(address) && address.find_first_of(",'\"") == std::string::npos &&
           std::none_of(address.begin(), address.end(), IsControl);
}

void OpenBrowser(const std::string& address)
{
    if (!IsAcceptedWebAddress(address)) {
        WriteLog("OpenBrowser: indirizzo rifiutato \"" + Printable(address) + "\"");
        return;
    }
    StartInBackground({"firefox", address});
}

void OpenMailClient(const std::string& address)
{
    if (!IsAcceptedMailAddress(address)) {
        WriteLog("OpenMailClient: indirizzo rifiutato \"" + Printable(address) + "\"");
        return;
    }
    StartInBackground({"thunderbird", "-compose", "to=" + address});
}
