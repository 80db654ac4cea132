// Reaching the user's desktop: the web browser and the mail client are
// started in child processes of their own and never waited for (they are
// reaped once ended, like the sounds). The address goes to the program as one
// argument; no shell sees it.
#pragma once

#include <string>

// Runs command through the shell and waits; true when its status is
// non-zero. Only for command texts the program itself composes.
bool RunShell(const std::string& command);

// "firefox" with the address as its argument.
void OpenBrowser(const std::string& address);
// "thunderbird" with "-compose" and "to=<address>".
void OpenMailClient(const std::string& address);
