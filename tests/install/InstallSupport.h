// The game installed from this build into temporary folders, and programs
// run on it as a player runs them: as an unprivileged user (nobody when the
// tests run as root, whom no permission stops), their output captured.
#pragma once

#include "tests/common/TempDir.h"

#include <string>
#include <sys/types.h>
#include <vector>

// Under the prefix.
inline const std::string kLauncher = "games/bruvo-stage-krodel";
inline const std::string kInstalledData = "share/games/bruvo-stage-krodel/Data";

struct Outcome {
    int status;          // -1 when the program did not end in time
    std::string output;  // standard output and standard error
};
// argv begins with an absolute path; env entries are "NAME=value", or "NAME"
// alone to remove it.
Outcome RunProgram(const std::vector<std::string>& argv, const std::string& folder = "/",
                   const std::vector<std::string>& env = {});
Outcome RunAsPlayer(const std::vector<std::string>& argv, const std::string& folder,
                    const std::vector<std::string>& env);
struct PlayerUser {
    uid_t uid;
    gid_t gid;
};
PlayerUser Player();
void GiveToPlayer(const std::string& path);  // with everything in it

// A temporary folder the player may enter (mkdtemp makes it private).
class SharedDir : public TempDir {
public:
    SharedDir();
};

// cmake --install of this build into prefix, under destdir when given.
bool Install(const std::string& prefix, const std::string& destdir = "");
// Every entry under root with its type, mode, size, time and link target.
std::string Snapshot(const std::string& root);
// Sorted names of the regular files in a folder.
std::vector<std::string> FilesOf(const std::string& folder);
