// Entry point: the options, a fresh log, the display, the game's main form
// and the loop.
//
//   bruvo                  plays
//   bruvo --record FILE    plays, and writes the input of every step to FILE
//   bruvo --replay FILE    plays FILE back in the window and ends with it
#include "app/Application.h"
#include "game/FormMain.h"
#include "support/Log.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {
constexpr const char* kUsage = "Usage: bruvo [--record FILE | --replay FILE]";

// False (with the usage on standard error) for anything but no option or one of the two.
bool ParseOptions(int argc, char** argv, GameInput& input)
{
    if (argc == 1)
        return true;
    if (argc == 3 && std::strcmp(argv[1], "--record") == 0)
        input.mode = GameInput::Mode::Record;
    else if (argc == 3 && std::strcmp(argv[1], "--replay") == 0)
        input.mode = GameInput::Mode::Replay;
    else
        return false;
    input.file = argv[2];
    return !input.file.empty();
}
}  // namespace

int main(int argc, char** argv)
{
    GameInput input;
    if (!ParseOptions(argc, argv, input)) {
        std::fprintf(stderr, "%s\n", kUsage);
        return 2;
    }
    if (access("log.txt", F_OK) == 0)
        remove("log.txt");
    // A file that cannot be replayed or written is said before any window.
    std::string error;
    if ((input.mode == GameInput::Mode::Replay && !input.tape.Load(input.file, &error)) ||
        (input.mode == GameInput::Mode::Record && !InputTape::CanSave(input.file, &error))) {
        WriteLog(error);
        return 1;
    }

    const std::string title = std::string(kGameTitle) + " " + kMakerLine;
    auto* application = new Application(title.c_str());
    if (application->HasFailed()) {
        std::puts("Bruvo Stage Krodel needs an X display: start it from a desktop session, "
                  "or set DISPLAY to a running X server.");
        delete application;
        return 1;
    }

    auto* mainForm = new FormMain(application, title, std::move(input));
    mainForm->Run();
    delete mainForm;

    if (!application->CloseScreen())
        WriteLog("Chiusura screen non riuscita");
    delete application;
    return 0;
}
