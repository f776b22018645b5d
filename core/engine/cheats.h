#pragma once

// Holds the listener id "CheatsKeyPressed" on "KeyPressed" for the
// program's life; no cheat is bound to a key yet.
class Cheats {
public:
    Cheats();
    ~Cheats();
    Cheats(const Cheats&) = delete;
    Cheats& operator=(const Cheats&) = delete;

    void OnKeyPressed(int key);
};
