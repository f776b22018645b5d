#include "tests/e2e/game_process.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#include <sys/wait.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string Output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 256> buffer{};
        while (fgets(buffer.data(), buffer.size(), pipe)) text += buffer.data();
        pclose(pipe);
    }
    return text;
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

void GameProcess::Xdotool(const std::string& arguments) const {
    std::system(("DISPLAY=" + display.name() + " xdotool " + arguments).c_str());
}

void GameProcess::Start() {
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (variable.rfind("HOME=", 0) == 0 || variable.rfind("XDG_DOCUMENTS_DIR=", 0) == 0 ||
            variable.rfind("DISPLAY=", 0) == 0)
            continue;
        variables.push_back(variable);
    }
    variables.push_back("HOME=" + home.str());
    variables.push_back("DISPLAY=" + display.name());
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
    // A loaded machine may take long to start the game; one that has ended
    // will never show its window.
    bool ended = false;
    WaitFor(60, [this, &ended] {
        window = Output("DISPLAY=" + display.name() + " xdotool search --name '^Quillmere$' 2>/dev/null | head -n 1");
        ended = window.empty() && !Running();
        return !window.empty() || ended;
    });
    if (window.empty())
        throw std::runtime_error(ended ? "the game ended before its window was found, with status " +
                                             std::to_string(exitStatus) + ":\n" + Stderr()
                                       : "the game's window did not appear");
    window.pop_back();  // the newline
    Xdotool("windowfocus --sync " + window);
}

void GameProcess::Keys(const std::string& xdotoolArguments) { Xdotool(xdotoolArguments); }
