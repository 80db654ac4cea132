// Entry point: a fresh log, the display, the game's main form and the loop.
#include "app/Application.h"
#include "game/FormMain.h"
#include "support/Log.h"

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {
constexpr const char* kGameTitle = "Bruvo Stage Krodel";
}

int main()
{
    if (access("log.txt", F_OK) == 0)
        remove("log.txt");

    const std::string title = std::string(kGameTitle) + " " + kMakerLine;
    auto* application = new Application(title.c_str());
    if (application->HasFailed()) {
        std::puts("Bruvo Stage Krodel needs an X display: start it from a desktop session, "
                  "or set DISPLAY to a running X server.");
        delete application;
        return 1;
    }

    auto* mainForm = new FormMain(application, title);
    mainForm->Run();
    delete mainForm;

    if (!application->CloseScreen())
        WriteLog("Chiusura screen non riuscita");
    delete application;
    return 0;
}
