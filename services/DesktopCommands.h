// Reaching the user's desktop: the web browser and the mail client are
// started in child processes of their own and never waited for (they are
// reaped once ended, like the sounds). The address goes to the program as one
// argument; no shell sees it.
#pragma once

#include <string>

// Runs command through the shell and waits; true when its status is
// non-zero. Only for command texts the program itself composes.
bool RunShell(const std::string& command);

// "firefox" with the address as its argument. An empty address, or one
// starting with "-" (an option to the browser), is refused with a log line.
void OpenBrowser(const std::string& address);
// "thunderbird" with "-compose" and "to=<address>". Refused with a log line,
// besides as for the browser, when the address holds a comma or a quote,
// which would add fields to the compose line, or a control character.
void OpenMailClient(const std::string& address);

// The checks of the two above.
bool IsAcceptedWebAddress(const std::string& address);
bool IsAcceptedMailAddress(const std::string& address);
