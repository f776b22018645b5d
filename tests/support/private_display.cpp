#include "tests/support/private_display.h"

#include <spawn.h>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testing_support {

// Xvfb picks a free display number and writes it to the pipe once it
// accepts connections. Without -noreset it resets each time its last client
// leaves, and drops a client that was connecting meanwhile (the game's
// window and a short-lived xdotool come and go all the time).
PrivateDisplay::PrivateDisplay() {
    int ready[2];
    if (pipe(ready) != 0) throw std::runtime_error("pipe failed");
    const std::string fd = std::to_string(ready[1]);
    std::vector<std::string> args = {"Xvfb", "-displayfd", fd, "-screen", "0", "1920x1080x24", "-nolisten", "tcp", "-noreset"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, ready[0]);
    // Neither output may hold the test runner's pipes: a test that crashes
    // leaves its server behind, and the runner would wait for it.
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int error = posix_spawnp(&server, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ready[1]);
    std::string number;
    char c;
    while (error == 0 && read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    close(ready[0]);
    if (error != 0 || number.empty()) throw std::runtime_error("cannot start Xvfb");
    display = ":" + number;
}

PrivateDisplay::~PrivateDisplay() {
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
}

}  // namespace testing_support
