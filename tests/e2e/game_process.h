#pragma once
// The real quillmere executable, started in a temporary game folder with
// HOME pointing at a temporary folder and XDG_DOCUMENTS_DIR unset; its
// standard output and error go to files. Each game gets an X server of its
// own (Xvfb, 1920 by 1080), so tests running side by side never send keys to
// each other's windows. Keys reach the window through xdotool (the X test
// extension), once the window has been given focus.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include <sys/types.h>

#include "tests/support/game_audio.h"
#include "tests/support/private_display.h"
#include "tests/support/temp_dir.h"

class GameProcess {
public:
    // Copies the shipped shaders, textures, audio and start-up script into the
    // game folder and starts the X server.
    GameProcess();
    // Stops the game if it still runs.
    ~GameProcess();

    void Start();
    // Starts the game on another X display than its own server's.
    void Start(const std::string& displayName);
    // Waits for the game to end by itself; its exit status, or -1 when it
    // was still running after the timeout (it is then killed).
    int WaitForExit(double seconds);
    bool Running();
    // Stops the running game and resumes it the given seconds later, as a
    // busy machine or a dragged window does; false when it was not running.
    bool Stall(double seconds);
    // Finds the game's window and gives it keyboard focus; throws, with the
    // game's output, when the game ends first or shows no window in time.
    void FocusWindow();
    // Sends keys with xdotool's "key" syntax, for example
    // "keydown Control_L keydown Shift_L key F8 keyup Shift_L keyup Control_L".
    void Keys(const std::string& xdotoolArguments);

    const std::string& DisplayName() const { return display.name(); }
    std::string Stdout() const { return game.Read("stdout.txt"); }
    std::string Stderr() const { return game.Read("stderr.txt"); }

    testing_support::TempDir game;
    testing_support::TempDir home;

private:
    testing_support::PrivateDisplay display;
    testing_support::NoSoundDevice noSoundDevice;
    pid_t pid = -1;
    int exitStatus = -1;
};

// Polls until done() holds or the seconds pass; returns done().
bool WaitFor(double seconds, const std::function<bool()>& done);

// What tells one write of a file from the next whatever the bytes written:
// its inode (the game writes a new file and renames it over the old one) and
// its modification time; zeros while the file is missing.
std::pair<ino_t, int64_t> FileStamp(const std::filesystem::path& path);
