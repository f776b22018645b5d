#pragma once
#include <string>
#include <vector>

// The developer console. Its line store fills from program start with every
// diagnostic line and keeps the newest kMaxLines of them, oldest first. The
// one Console object, which the engine creates, connects the grave-accent
// key that opens and closes the console window.
class Console {
public:
    static constexpr size_t kMaxLines = 1000;

    Console();   // connects "OpenConsole" on "KeyPressed"
    ~Console();  // disconnects it
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    static void AddLine(std::string line);
    static const std::vector<std::string>& GetLines();

    // The grave accent (96, or 126 as some layouts report it) toggles the
    // window, also while a text field has focus.
    static void OnKeyPressed(int key);
    static bool IsOpen();

    // Draws the window while it is open; needs a user-interface frame.
    static void Draw();
};
