// The Sound tab: the events of the loaded banks, to audition and make cues
// from, and the sound cues with their controls.
#include <imgui.h>

#include "editor/editor.h"

namespace {

// Both sections share one size.
void Section(const char* title, Editor& editor, void (Editor::*draw)()) {
    ImGui::Text("%s", title);
    ImGui::Separator();
    if (ImGui::BeginChild(title, ImVec2(ImGui::GetContentRegionAvail().x, 295), false)) (editor.*draw)();
    ImGui::EndChild();
}

}  // namespace

void Editor::DrawSoundTab() {
    Section("FMOD Sounds", *this, &Editor::DrawFmodSounds);
    ImGui::Separator();
    ImGui::Spacing();
    ImGui::Spacing();
    Section("Sound Cues", *this, &Editor::DrawSoundCues);
}

// The audio system has not landed in this build yet: no events, no cues.
void Editor::DrawFmodSounds() {}
void Editor::DrawSoundCues() {}
