#include <ctime>

#include <imgui.h>

#include "core/diagnostics/console.h"
#include "core/diagnostics/debug_print.h"
#include "core/diagnostics/exception.h"
#include "core/engine/engine.h"
#include "core/save/replace_file.h"
#include "core/save/save_folder.h"

namespace {

// "Console Log <seconds>.txt" in the save folder, a line per line. A copy
// that cannot be written is not worth ending the game for: the reason is
// logged instead.
void SaveCopy() {
    std::string folder;
    try {
        folder = GetSaveDirectory();
    } catch (const debug::exception& error) {
        DebugPrint(error.what());
        return;
    }
    std::string text;
    for (const std::string& line : Console::GetLines()) text += line + "\n";
    ReplaceFile(folder + "Console Log " + std::to_string(std::time(nullptr)) + ".txt", text);
}

}  // namespace

void Console::Draw() {
    if (!IsOpen()) return;
    ImGui::SetNextWindowPos(ImVec2(50, 25), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowSize(ImVec2(600, 300), ImGuiCond_FirstUseEver);
    if (!ImGui::Begin("Console")) {
        ImGui::End();
        return;
    }
    // All the height but the line that holds the button.
    ImGui::BeginChild("ScrollingRegion", ImVec2(0, -ImGui::GetFrameHeightWithSpacing()), false,
                      ImGuiWindowFlags_HorizontalScrollbar);
    for (const std::string& line : GetLines()) ImGui::TextUnformatted(line.data(), line.data() + line.size());
    // Follow the newest line while the game runs; paused (as in the editor)
    // the user scrolls freely.
    if (!Engine::IsPaused()) ImGui::SetScrollHereY(0.5f);
    ImGui::EndChild();
    if (ImGui::Button("Save copy to Documents/Quillmere")) SaveCopy();
    ImGui::End();
}
