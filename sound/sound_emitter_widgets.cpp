// The inspector's widgets for this component.
#include <imgui.h>

#include "core/diagnostics/debug_print.h"
#include "sound/audio_state.h"
#include "sound/sound_emitter.h"
#include "sound/sound_space.h"

namespace {

// The emitter takes the cue's event, held silent until "Play Emit".
void TakeCue(SoundEmitter& emitter, const std::string& name) {
    SoundCueBank* cue = LookupCue(name);
    if (!cue) {
        DebugPrint("Error In Getting Cue for emitter");
        return;
    }
    emitter.hold = true;
    emitter.cueName = name;
    if (emitter.instance.isValid()) {
        emitter.instance.stop(FMOD::Studio::kStopAllowFadeOut);
        emitter.instance.release();
    }
    cue->description.createInstance(&emitter.instance);
}

}  // namespace

void SoundEmitter::EditInfoDisplay() {
    ImGui::Text("%s", cueName.c_str());
    if (ImGui::Button("Select Cue")) ImGui::OpenPopup("Get Cue");
    if (ImGui::BeginPopup("Get Cue")) {
        for (const auto& cue : audio::cues)
            if (ImGui::MenuItem(cue->GetName().c_str())) TakeCue(*this, cue->GetName());
        ImGui::EndPopup();
    }
    ImGui::SameLine();
    if (ImGui::Button("Play Emit")) {
        SoundSpace::SetBusPaused("Music Bus", false);
        SoundSpace::SetBusPaused("SFX Bus", false);
        SoundSpace::StopBus("Master Bus", 0);
        hold = false;
        PlayEvent();
    }
    ImGui::InputFloat("Enclosed Distance", &distance);
    ImGui::InputFloat("Fall Off Rate", &fallOffRate);
}
