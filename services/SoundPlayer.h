// Sound effects: every sound is one run of the outside WAV player "aplay" on a
// file under Data/, in a child process, so the game goes on while it plays.
// There is no mixing: sounds that overlap simply play at the same time.
#pragma once

#include <string>
#include <sys/types.h>

// Runs program with argument as its single argument (no shell: blanks and
// shell characters stay inside the one argument) and waits for it. True when
// its status is non-zero or it could not be run.
bool RunCommand(const std::string& program, const std::string& argument);

// Plays "Data/beep.wav" in the background; nothing at all when it is missing.
void PlayBeep();

// Whether "aplay" is on PATH is looked up at the first sound and kept for the
// process (a missing player is logged once). After this call the next sound
// looks again, and logs again: for tests that change PATH.
void ForgetSoundPlayerLookup();

class SoundPlayer {
public:
    SoundPlayer() = default;
    // Ends a repeating sound's child; a sound played once plays on. Collects
    // children that have ended.
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Ends the previous sound's child with SIGTERM, then plays path in a new
    // child and returns at once. With repeat the child plays the file again
    // and again until it is ended or a run of the player fails. A missing file logs "<path> non trovato.".
    void PlaySound(const std::string& path, bool repeat);
    // Sends SIGTERM to the current child, if one may still be running.
    void StopSound();
    // As PlaySound, but plays in the calling process and waits for the end.
    void PlaySoundAndWait(const std::string& path);

    pid_t Pid() const { return pid; }
    bool IsPlaying() const { return playing; }

private:
    void EndPrevious();

    pid_t pid = 0;          // child running the current sound; 0 when none
    bool playing = false;   // that child may still be running
    bool repeating = false; // that child plays its file again and again
};
