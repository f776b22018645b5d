// The Sound tab: the events of the loaded banks, to audition and make cues
// from, and the sound cues with their controls.
#include <string>

#include <imgui.h>

#include "core/diagnostics/debug_print.h"
#include "editor/editor.h"
#include "sound/audio_state.h"
#include "sound/sound_space.h"

namespace {

// Both sections share one size.
void Section(const char* title, Editor& editor, void (Editor::*draw)()) {
    ImGui::Text("%s", title);
    ImGui::Separator();
    if (ImGui::BeginChild(title, ImVec2(ImGui::GetContentRegionAvail().x, 295), false)) (editor.*draw)();
    ImGui::EndChild();
}

// Every row's buttons carry the row's index, so each is its own.
std::string Label(const char* caption, size_t index) { return std::string(caption) + " " + std::to_string(index); }

void Spacing(int times) {
    for (int i = 0; i < times; ++i) ImGui::Spacing();
}

// The editor runs with the game paused: both buses are let go, and whatever
// plays is silenced first.
void MakeRoomToListen() {
    SoundSpace::SetBusPaused("Music Bus", false);
    SoundSpace::SetBusPaused("SFX Bus", false);
    SoundSpace::StopBus("Master Bus", 0);
}

// Plays the event once at the listener; the instance frees itself when the
// sound ends.
void Audition(const SoundEvent& event) {
    MakeRoomToListen();
    FMOD::FMOD_3D_ATTRIBUTES listener;
    audio::studioSystem.getListenerAttributes(0, &listener);
    FMOD::Studio::EventInstance instance;
    event.GetDescription().createInstance(&instance);
    instance.set3DAttributes(&listener);
    instance.start();
    instance.release();
}

void MakeCue(const SoundEvent& event) {
    bool taken = false;
    for (const auto& cue : audio::cues)
        if (cue->GetName() == event.name) {
            DebugPrint("cue already exists");
            taken = true;
        }
    if (taken) return;
    // No bank holding the path makes no cue, and then nothing to count.
    if (SoundSpace::CreateCue(event.GetPath(), event.name)) ++audio::cueCount;
    SoundSpace::SaveStorage();
}

void DeleteCue(size_t index) {
    SoundSpace::StopChannelGroup("Master Group");
    SoundSpace::StopBus("Master Bus", 1);
    audio::cues[index]->Retire();
    audio::cues.erase(audio::cues.begin() + static_cast<std::ptrdiff_t>(index));
    --audio::cueCount;
    SoundSpace::SaveStorage();
}

}  // namespace

void Editor::DrawSoundTab() {
    Section("FMOD Sounds", *this, &Editor::DrawFmodSounds);
    ImGui::Separator();
    Spacing(2);
    Section("Sound Cues", *this, &Editor::DrawSoundCues);
}

void Editor::DrawFmodSounds() {
    for (size_t i = 0; i < audio::events.size(); ++i) {
        SoundEvent& event = audio::events[i];
        if (!ImGui::CollapsingHeader(event.GetPath().c_str(), ImGuiTreeNodeFlags_Framed)) continue;
        ImGui::PushID(static_cast<int>(i));
        Spacing(3);
        if (ImGui::Button(Label("Play", i).c_str())) Audition(event);
        ImGui::SameLine();
        if (ImGui::Button(Label("Stop", i).c_str())) SoundSpace::StopBus("Master Bus", 0);
        ImGui::InputText("Cue Name", event.name, sizeof event.name);
        if (ImGui::Button("Make Cue")) MakeCue(event);
        Spacing(3);
        ImGui::PopID();
    }
}

void Editor::DrawSoundCues() {
    for (size_t i = 0; i < audio::cues.size(); ++i) {
        SoundCueBank* cue = audio::cues[i].get();
        if (!ImGui::CollapsingHeader(cue->GetName().c_str(), ImGuiTreeNodeFlags_Framed)) continue;
        ImGui::PushID(static_cast<int>(i));
        if (ImGui::Button(Label("Play Cue", i).c_str())) {
            MakeRoomToListen();
            SoundCueBank::Play(cue, 1.0f);
        }
        ImGui::SameLine();
        if (ImGui::Button(Label("Stop Cue", i).c_str())) {
            SoundSpace::StopBus("Master Bus", 0);
            SoundSpace::StopChannelGroup("Master Group");
        }
        ImGui::SameLine(ImGui::GetStyle().IndentSpacing * 8);
        if (ImGui::Button(Label("Delete Cue", i).c_str())) {
            ImGui::PopID();
            DeleteCue(i);
            return;  // the rest of the list is drawn next frame
        }
        float volume = cue->GetVolume();
        if (ImGui::InputFloat("Volume", &volume)) cue->volume = volume;
        ImGui::PopID();
    }
}
