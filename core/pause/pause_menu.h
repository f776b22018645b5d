#pragma once
// The engine side of the pause screen: decides when the game pauses and
// resumes and tells the scripts through "PauseMenuPaused",
// "PauseMenuUnPaused" and "PauseMenuConfirmClose"; it draws nothing. Escape
// and the pad's Start button toggle it, losing focus or minimising opens it,
// and a close request opens it and asks the scripts to confirm instead of
// closing. In game mode the menu also pauses the engine; elsewhere only the
// menu's own flag changes.

struct GLFWwindow;

// PauseMenu::Unpause for the scripts; an error is logged, not thrown.
extern "C" void lb_pause_menu_unpause();

class PauseMenu {
public:
    // Connects "PauseMenuCheckPause" on "KeyPressed" and "LogicUpdate" and
    // becomes the window's close handler. The one menu is reached through
    // the static operations; the engine owns it.
    PauseMenu();
    ~PauseMenu();
    PauseMenu(const PauseMenu&) = delete;
    PauseMenu& operator=(const PauseMenu&) = delete;

    // Opens the menu; nothing when it is open already.
    static void Pause();
    // Closes the menu; nothing when it is closed.
    static void Unpause();

    void OnKeyPressed(int key);
    void OnLogicUpdate(float dt);
    // The pad's Start button as read this frame: pressing it toggles the
    // menu; holding it does nothing more.
    static void OnStartButton(bool down);
    static void OnWindowClose(GLFWwindow* window);

private:
    bool paused = false;
    bool startWasDown = false;  // pad Start was down at the previous "LogicUpdate"
};

