// Buses, channel groups and events by name.
#include "core/diagnostics/debug_print.h"
#include "sound/audio_state.h"
#include "sound/sound_space.h"

FMOD::Studio::Bus SoundSpace::FindBus(const std::string& name) {
    for (const audio::BusRecord& record : audio::buses)
        if (record.name == name) return record.bus;
    DebugPrint("couldn't find bus name " + name + "check to make sure you spelt it right ");
    return {};
}

void SoundSpace::SetBusMute(const std::string& name, bool mute) {
    audio::masterMuted = mute;
    audio::Handled(FindBus(name).setMute(mute));
}

void SoundSpace::SetBusPaused(const std::string& name, bool paused) {
    audio::Handled(FindBus(name).setPaused(paused));
}

void SoundSpace::StopBus(const std::string& name, int mode) {
    const FMOD::Studio::Bus bus = FindBus(name);
    if (!bus.isValid()) return;
    if (mode == 0) audio::Handled(bus.stopAllEvents(FMOD::Studio::kStopImmediate));
    if (mode == 1) audio::Handled(bus.stopAllEvents(FMOD::Studio::kStopAllowFadeOut));
}

void SoundSpace::StopChannelGroup(const std::string& name) {
    for (const FMOD::ChannelGroup& group : audio::channelGroups) {
        char groupName[256] = {};
        group.getName(groupName, sizeof groupName);
        if (name == groupName) {
            group.stop();
            return;
        }
    }
}

SoundEvent* SoundSpace::FindEvent(const std::string& path) {
    for (SoundEvent& event : audio::events)
        if (event.GetPath() == path) return &event;
    DebugPrint("couldn't find bank " + path + ", is it in the audio folder?");
    return nullptr;
}

void SoundSpace::AddBus(FMOD::Studio::Bus bus, const std::string& name) { audio::buses.push_back({bus, name}); }

void SoundSpace::AddChannelGroup(const std::string& name) {
    FMOD::ChannelGroup group;
    audio::lowLevelSystem.createChannelGroup(name.c_str(), &group);
    audio::channelGroups.push_back(group);
}
