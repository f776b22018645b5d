#pragma once
// One event of a loaded bank.

#include <string>

#include "platform/fmod/studio.h"

class SoundEvent {
public:
    SoundEvent(FMOD::Studio::EventDescription description, FMOD::Studio::System system);

    std::string GetPath() const { return path; }
    FMOD::Studio::EventDescription GetDescription() const { return description; }

    // The editor's sound tab edits it as the name of a cue to create.
    char name[50] = "Enter Name";

private:
    std::string path;  // at most 127 characters
    FMOD::Studio::System system;
    FMOD::Studio::EventDescription description;
};
