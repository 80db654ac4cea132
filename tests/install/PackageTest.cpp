// The Debian package cpack makes from this build: its control fields and
// files, what apt would do with it here, and an install and a purge by dpkg
// into a root of its own (this machine is not changed).
#include "tests/install/InstallSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {
// Regular files under root/usr, as dpkg-deb -c names them.
std::set<std::string> FilesUnder(const std::string& root)
{
    std::set<std::string> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root + "/usr", error))
        if (entry.is_regular_file())
            files.insert("." + entry.path().string().substr(root.size()));
    return files;
}
}  // namespace

TEST(DebianPackage, NamesItsDependenciesAndInstallsAndPurgesCleanly)
{
    SharedDir dir;
    const Outcome packed =
        RunProgram({BRUVO_CPACK, "-G", "DEB", "--config", BRUVO_BUILD_DIR "/CPackConfig.cmake", "-B", dir.File("out")});
    ASSERT_EQ(packed.status, 0) << packed.output;
    const std::string deb = dir.File("out/" + FilesOf(dir.File("out")).at(0));

    const std::string control = RunProgram({"/usr/bin/dpkg-deb", "-I", deb}).output;
    const size_t depends = control.find("\n Depends: ");
    const std::string libraries = control.substr(depends + 1, control.find('\n', depends + 1) - depends - 1) + ",";
    for (const char* field : {"\n Package: bruvo-stage-krodel\n", "\n Section: games\n", "\n Recommends: alsa-utils\n"})
        EXPECT_NE(control.find(field), std::string::npos) << field << control;
    for (const char* library : {" libc6 (", " libx11-6,"})
        EXPECT_NE(libraries.find(library), std::string::npos) << library << control;
    // apt takes it with what this machine, which runs the game, has installed.
    const Outcome apt = RunProgram({"/usr/bin/apt-get", "-s", "install", "--no-install-recommends", deb});
    EXPECT_EQ(apt.status, 0) << apt.output;
    const size_t ours = apt.output.find("\nInst bruvo-stage-krodel ");
    EXPECT_NE(ours, std::string::npos) << apt.output;
    EXPECT_EQ(apt.output.find("\nInst "), ours) << apt.output;
    EXPECT_EQ(apt.output.rfind("\nInst "), ours) << apt.output;

    std::set<std::string> files, executable;
    std::istringstream contents(RunProgram({"/usr/bin/dpkg-deb", "-c", deb}).output);
    for (std::string line; std::getline(contents, line);) {
        if (line.rfind("-", 0) == 0)
            files.insert(line.substr(line.rfind(' ') + 1));
        if (line.rfind("-rwxr-xr-x root/root ", 0) == 0)
            executable.insert(line.substr(line.rfind(' ') + 1));
    }
    EXPECT_EQ(executable,
              std::set<std::string>({"./usr/games/bruvo-stage-krodel", "./usr/lib/games/bruvo-stage-krodel/bruvo"}));
    for (const char* path : {"./usr/share/games/bruvo-stage-krodel/Data/ufo.bin",
                             "./usr/share/applications/bruvo-stage-krodel.desktop",
                             "./usr/share/icons/hicolor/48x48/apps/bruvo-stage-krodel.png",
                             "./usr/share/man/man6/bruvo-stage-krodel.6.gz"})
        EXPECT_EQ(files.count(path), 1u) << path;

    // dpkg with a database of its own: the files go in, the launcher finds
    // nothing missing, and a purge leaves no file behind.
    const std::string root = dir.File("root");
    std::filesystem::create_directories(root + "/var/lib/dpkg/updates");
    std::filesystem::create_directories(root + "/var/lib/dpkg/info");
    std::ofstream(root + "/var/lib/dpkg/status").close();
    auto dpkg = [&](std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"/usr/bin/dpkg", "--root=" + root, "--force-depends", "--force-not-root"});
        return RunProgram(arguments, "/", {"PATH=/usr/sbin:/usr/bin:/sbin:/bin"});
    };
    const Outcome installed = dpkg({"--install", deb});
    ASSERT_EQ(installed.status, 0) << installed.output;
    EXPECT_EQ(FilesUnder(root), files);
    const Outcome started =
        RunProgram({root + "/usr/" + kLauncher}, "/", {"HOME=" + dir.File("home"), "XDG_DATA_HOME", "DISPLAY"});
    EXPECT_EQ(started.output.find("bruvo-stage-krodel: "), std::string::npos) << started.output;
    EXPECT_EQ(dpkg({"--purge", "bruvo-stage-krodel"}).status, 0);
    EXPECT_EQ(FilesUnder(root), std::set<std::string>());
}
