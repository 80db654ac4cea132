#include "services/SoundPlayer.h"

#include "services/ChildProcess.h"
#include "support/FileUtil.h"
#include "support/Log.h"

#include <signal.h>
#include <sys/wait.h>

namespace {

constexpr const char* kPlayer = "aplay";
constexpr const char* kBeepFile = "Data/beep.wav";
constexpr int kEndWaitMs = 1000;   // ms for a sound child to end after SIGTERM

struct SoundJob {
    const std::string* path;
    bool repeat;
};

void SetSigtermBlocked(bool blocked, sigset_t* previous = nullptr)
{
    sigset_t term;
    sigemptyset(&term);
    sigaddset(&term, SIGTERM);
    sigprocmask(blocked ? SIG_BLOCK : SIG_UNBLOCK, &term, previous);
}

// Runs in the forked sound child. SIGTERM ends this child, and with it any
// further repetition; the aplay it started plays its file to the end. The
// parent forks with SIGTERM blocked and the child lets it through only once
// aplay runs, so a sound replaced at once (two coins in one step) still plays.
// A run that fails ends the repetition: restarting a failing player at once
// would only spin.
void PlayInChild(void* context)
{
    signal(SIGTERM, SIG_DFL);   // its stop, even where the game inherited it ignored
    const SoundJob& job = *static_cast<const SoundJob*>(context);
    for (;;) {
        const pid_t player = StartChild({kPlayer, *job.path});
        SetSigtermBlocked(false);
        if (player < 0)
            return;
        const int status = WaitForChild(player);
        if (!job.repeat || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            return;
    }
}

// Whether the player is on PATH, looked up once: without it every sound is
// silent, and searching PATH for it at every sound would cost a system call
// per folder.
enum class PlayerLookup { NotYet, Found, Missing };
PlayerLookup playerLookup = PlayerLookup::NotYet;

bool PlayerAvailable()
{
    if (playerLookup == PlayerLookup::NotYet) {
        playerLookup = IsProgramOnPath(kPlayer) ? PlayerLookup::Found : PlayerLookup::Missing;
        if (playerLookup == PlayerLookup::Missing)
            WriteLog(std::string(kPlayer) + " not found: sounds are not played.");
    }
    return playerLookup == PlayerLookup::Found;
}

// Plays path in the foreground, its output kept from the terminal.
void PlayAndWait(const std::string& path)
{
    if (PlayerAvailable())
        RunChildAndWait({kPlayer, path}, ChildOutput::Discard);
}

} // namespace

bool RunCommand(const std::string& program, const std::string& argument)
{
    return RunChildAndWait({program, argument}) != 0;
}

void PlayBeep()
{
    if (!FileExists(kBeepFile) || !PlayerAvailable())
        return;
    ReapChildren();
    // Nobody ever ends a beep, so aplay itself is the child; what it says
    // (a machine without a sound card) is no business of the terminal.
    if (StartChild({kPlayer, kBeepFile}, ChildOutput::Discard) < 0)
        PlayAndWait(kBeepFile);
}

SoundPlayer::~SoundPlayer()
{
    // Nobody could stop a repeating sound after this. The child was just sent
    // SIGTERM: a short wait lets it be reaped rather than left a zombie.
    if (repeating) {
        StopSound();
        ReapChildWithin(pid, kEndWaitMs);
    }
    ReapChildren();
}

void SoundPlayer::EndPrevious()
{
    ReapChildren();
    if (playing && IsChildPending(pid))
        kill(pid, SIGTERM);
    pid = 0;
    playing = false;
    repeating = false;
}

void SoundPlayer::PlaySound(const std::string& path, bool repeat)
{
    if (!FileExists(path)) {
        WriteLog(path + " non trovato.");
        return;
    }
    EndPrevious();
    if (!PlayerAvailable())
        return;
    SoundJob job{&path, repeat};
    sigset_t previous;
    SetSigtermBlocked(true, &previous);
    // The child and its aplay write nothing to the terminal.
    pid_t child = StartChildFunction(PlayInChild, &job, ChildOutput::Discard);
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (child > 0) {
        pid = child;
        playing = true;
        repeating = repeat;
        return;
    }
    // No process to spare: the sound plays in the foreground, once.
    PlayAndWait(path);
}

void SoundPlayer::StopSound()
{
    ReapChildren();
    if (playing && IsChildPending(pid))
        kill(pid, SIGTERM);
}

void SoundPlayer::PlaySoundAndWait(const std::string& path)
{
    if (!FileExists(path)) {
        WriteLog(path + " non trovato.");
        return;
    }
    EndPrevious();
    PlayAndWait(path);
}

void ForgetSoundPlayerLookup() { playerLookup = PlayerLookup::NotYet; }
