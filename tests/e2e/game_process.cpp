#include "tests/e2e/game_process.h"

#include <chrono>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <X11/Xlib.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// Windows vanish while the tree is walked; the default handler would end
// the test for that.
int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

// The first window below parent (depth first) titled exactly title, or 0.
Window FindWindow(Display* connection, Window parent, const std::string& title) {
    Window root = 0, up = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(connection, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(connection, children[i], &name) && name) {
            if (title == name) found = children[i];
            XFree(name);
        }
        if (!found) found = FindWindow(connection, children[i], title);
    }
    if (children) XFree(children);
    return found;
}

// Gives window the keyboard focus; false while it cannot take it. A window
// not shown yet cannot: the server refuses the request.
bool Focus(Display* connection, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(connection, window, &attributes) || attributes.map_state != IsViewable) return false;
    XSetInputFocus(connection, window, RevertToParent, CurrentTime);
    // A round trip: the server has handled the request before it answers.
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(connection, &focus, &revert);
    return focus == window;
}

}  // namespace

bool WaitFor(double seconds, const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

std::pair<ino_t, int64_t> FileStamp(const fs::path& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return {0, 0};
    return {status.st_ino, int64_t(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

GameProcess::GameProcess() {
    const fs::path data = fs::path(QM_SOURCE_DIR) / "data";
    fs::copy(data / "shaders", game.path() / "shaders", fs::copy_options::recursive);
    fs::copy(data / "textures", game.path() / "textures", fs::copy_options::recursive);
    fs::create_directories(game.path() / "levels");
    fs::create_directories(game.path() / "lua");
    fs::copy(data / "lua" / "engine", game.path() / "lua" / "engine", fs::copy_options::recursive);
    testing_support::CopyShippedAudio(data, game.path());
}

GameProcess::~GameProcess() {
    if (Running()) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

void GameProcess::Start() { Start(display.name()); }

void GameProcess::Start(const std::string& displayName) {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (variable.rfind("HOME=", 0) == 0 || variable.rfind("XDG_DOCUMENTS_DIR=", 0) == 0 ||
            variable.rfind("DISPLAY=", 0) == 0)
            continue;
        variables.push_back(variable);
    }
    variables.push_back("HOME=" + home.str());
    variables.push_back("DISPLAY=" + displayName);
    std::vector<char*> envp;
    for (std::string& variable : variables) envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, game.str().c_str());
    posix_spawn_file_actions_addopen(&actions, 1, "stdout.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, "stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string program = QM_GAME_EXECUTABLE;
    char* argv[] = {program.data(), nullptr};
    const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) throw std::runtime_error("cannot start " + program);
}

bool GameProcess::Running() {
    if (pid <= 0) return false;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid) return true;
    exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    pid = -1;
    return false;
}

bool GameProcess::Stall(double seconds) {
    if (!Running() || kill(pid, SIGSTOP) != 0) return false;
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    kill(pid, SIGCONT);
    return true;
}

int GameProcess::WaitForExit(double seconds) {
    if (!WaitFor(seconds, [this] { return !Running(); })) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
        return -1;
    }
    return exitStatus;
}

void GameProcess::FocusWindow() {
    // One connection asks for the window tree while the game starts; a new
    // process for each look would keep the machine and the server busy.
    Display* connection = XOpenDisplay(display.name().c_str());
    if (!connection) throw std::runtime_error("cannot connect to " + display.name());
    XErrorHandler previous = XSetErrorHandler(IgnoreXErrors);
    bool focused = false, ended = false;
    // A loaded machine may take long to start the game; one that has ended
    // will never show its window.
    WaitFor(60, [&] {
        const Window window = FindWindow(connection, DefaultRootWindow(connection), "Quillmere");
        focused = window && Focus(connection, window);
        ended = !focused && !Running();
        return focused || ended;
    });
    XSetErrorHandler(previous);
    XCloseDisplay(connection);
    if (!focused)
        throw std::runtime_error((ended ? "the game ended before its window was found, with status " +
                                              std::to_string(exitStatus) + ":\n"
                                        : std::string("the game's window did not appear or take the focus:\n")) +
                                 "standard output:\n" + Stdout() + "standard error:\n" + Stderr());
}

void GameProcess::Keys(const std::string& xdotoolArguments) {
    std::system(("DISPLAY=" + display.name() + " xdotool " + xdotoolArguments).c_str());
}
