#include <exception>
#include <string>

#include "core/engine/engine.h"
#include "platform/fatal_box.h"

int main() {
    try {
        Engine* engine = new Engine();
        g_engine = engine;
        engine->Run();
        delete engine;
        g_engine = nullptr;
        return 0;
    } catch (const std::exception& error) {
        // Nothing is torn down, unloaded or saved: the state may be broken.
        platform::ShowFatalErrorBox(
            "Unrecoverable Exception",
            std::string(error.what()) +
                "\n\nPlease report the circumstances of this error, and the above message, to a member of Team "
                "Brellic.\n" +
                "Contact: bugs@brellic.example");
        return 1;
    }
}
