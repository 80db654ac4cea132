// Starting outside programs (the WAV player, the browser, the mail client)
// without a shell, and reaping them once they have ended.
//
// A started program gets its argument vector as it stands, so blanks or shell
// characters in an argument reach it as part of that one argument. The child
// closes every descriptor above standard error before exec and _exits if
// exec fails. The game never waits for such a child: each one is remembered
// here and reaped by ReapChildren, which the users of this file call before
// they start the next one and at their end, so no zombie piles up.
#pragma once

#include <signal.h>
#include <string>
#include <utility>
#include <sys/types.h>
#include <vector>

// Where a child's standard output and error go.
enum class ChildOutput {
    Inherit,  // the parent's
    Discard,  // /dev/null
};

// Forks and execs argv[0] (searched on PATH) with argv. Returns the child's
// pid, remembered for ReapChildren, or -1 when fork failed or argv is empty.
pid_t StartChild(const std::vector<std::string>& argv, ChildOutput output = ChildOutput::Inherit);

// Forks and execs as StartChild, then waits for that child. Returns its wait
// status as waitpid gives it, or -1 when it could not be started.
int RunChildAndWait(const std::vector<std::string>& argv, ChildOutput output = ChildOutput::Inherit);

// Waits for the child pid to end; its wait status, or -1.
int WaitForChild(pid_t pid);

// Forks a child that runs body() and then _exits with status 0, without
// running the parent's exit handlers. Its descriptors above standard error are
// closed first. Returns the pid (remembered like StartChild's) or -1.
pid_t StartChildFunction(void (*body)(void* context), void* context,
                         ChildOutput output = ChildOutput::Inherit);

// The actions a caller's own signal handlers replaced (the event loop's stop
// signals); a child of StartChildFunction puts them back before its body
// runs, since those handlers belong to the parent. Empty: none.
void SetChildSignalActions(std::vector<std::pair<int, struct sigaction>> actions);

// True when an executable of that name is found on PATH.
bool IsProgramOnPath(const std::string& name);

// Waits up to timeoutMs for the remembered child pid to end and reaps it;
// false when it still runs (it stays remembered). For a child just told to end.
bool ReapChildWithin(pid_t pid, int timeoutMs);

// Collects every remembered child that has ended, without blocking.
void ReapChildren();

// True while pid is a remembered child that has not been reaped yet, i.e. a
// signal sent to it cannot reach an unrelated process that reused the number.
bool IsChildPending(pid_t pid);

// In a freshly forked child: closes every descriptor above 2.
void CloseInheritedDescriptors();
