#pragma once
// The sound space component carries no data: while one is in the level, the
// saved mutes apply again after each level load. The class also holds the
// audio module's operations on buses, channel groups, events, cues and the
// sound storage file.

#include <string>

#include <json/value.h>

#include "core/components/base_component.h"
#include "platform/fmod/studio.h"

class SoundCueBank;
class SoundEvent;

class SoundSpace : public BaseComponent<SoundSpace> {
public:
    ~SoundSpace() override = default;
    void Initialize() override;
    void Remove() override;
    void Copy(const RootComponent* other) override;
    Json::Value Serialize() override;
    void Deserialize(Json::Value json) override;
    void EditInfoDisplay() override;
    uint32_t GetTypeID() override { return ID; }

    // Buses go by the names AudioSystem::Init gives them ("Master Bus",
    // "Music Bus", "SFX Bus", ...), compared exactly.
    static FMOD::Studio::Bus FindBus(const std::string& name);
    static void SetBusMute(const std::string& name, bool mute);
    static void SetBusPaused(const std::string& name, bool paused);
    // Mode 0 stops at once, mode 1 lets the events fade out; others do nothing.
    static void StopBus(const std::string& name, int mode);
    static void StopChannelGroup(const std::string& name);
    static SoundEvent* FindEvent(const std::string& path);
    static void AddBus(FMOD::Studio::Bus bus, const std::string& name);
    static void AddChannelGroup(const std::string& name);

    // Builds a cue bound to the event at path and appends it; null when no
    // bank holds the path or a cue of that name exists. A path shorter than
    // eight characters throws "invalid string position".
    static SoundCueBank* CreateCue(const std::string& eventPath, const std::string& cueName);
    // Writes a line when there is none.
    static SoundCueBank* FindCue(const std::string& name);

    // The sound storage file: read from the save folder, else from "Audio/";
    // written to "Audio/" only. OpenStorage gives the file's root object,
    // which holds a "Sounds" object, or null, with one line, when neither
    // file holds one; a damaged copy in the save folder is set aside as
    // "<file>.damaged" on the way.
    static void InitSounds();
    static Json::Value OpenStorage();
    static void LoadCues();
    static void SaveStorage();
    static void ClearCueLocationFile();

    // "Load Sound Stuff" on "LevelLoad".
    static void LoadSoundStuff(Json::Value* saveFile);

private:
    bool connected = false;
};

// The cue of that name, or null, without a line.
SoundCueBank* LookupCue(const std::string& name);
