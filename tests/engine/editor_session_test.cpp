// The editor inside the running engine: opening and closing it, gestures cut
// short, and the Level tab's commands failing without ending the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <GLFW/glfw3.h>
#include <imgui.h>

#include "core/diagnostics/console.h"
#include "core/entity/entity_base.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "core/level/level_files.h"
#include "core/save/save_folder.h"
#include "editor/editor.h"
#include "editor/imgui_glue.h"
#include "graphics/camera.h"
#include "graphics/graphics.h"
#include "physics/box_collider.h"
#include "physics/circle_collider.h"
#include "graphics/tile_map.h"
#include "scripting/lua_host.h"
#include "sound/audio_state.h"
#include "sound/sound_space.h"
#include "tests/engine/engine_fixture.h"

namespace {

namespace fs = std::filesystem;

// The Level tab's buttons in the editor window's first-use layout.
constexpr int kLoadX = 76, kSaveAndReloadX = 204, kDeleteSaveX = 356, kButtonsY = 85;
// The rows of the "load level" menu, below the point it opened at; the
// answers of the "are you sure?" that comes first.
constexpr int kMenuFirstRow = 15, kMenuRow = 17;
constexpr int kYesRow = 36, kNoRow = 53;
// Collapsing headers span the window; clicks land at this x.
constexpr int kHeaderX = 200;
// The Sound tab: an event's header and, once it is open, its "Make Cue";
// the third cue's header and, once open, its "Delete Cue".
constexpr int kFirstEventY = 83, kMakeCueX = 90, kMakeCueY = 164;
constexpr int kThirdCueY = 461, kCueRow = 23, kDeleteCueX = 272, kCueButtonsBelow = 22;
// The inspector's first section header; the second once the first is open
// on a box collider's six rows; the circle collider's first row below it.
constexpr int kFirstSectionY = 393, kSecondSectionY = 554, kCircleOffsetY = 577;
// A point in the level, clear of the editor window.
constexpr int kLevelX = 1400, kLevelY = 600;

class EditorSession : public EngineTest {
protected:
    // As the editor key does, without the keys.
    static void Open() {
        Engine::CreateEditor();
        g_engine->requestedMode = Engine::kEditorMode;
        Engine::Pause();
    }
    static void Close() {
        Engine::DestroyEditor();
        g_engine->requestedMode = Engine::kGameMode;
        Engine::Unpause();
    }
    // Whether the listener was connected; it is not afterwards.
    static bool Connected(const char* event, const char* id) { return events::Disconnect(event, id); }
    static bool Logged(const std::string& start) {
        const auto& lines = Console::GetLines();
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(start, 0) == 0; });
    }
    static void Cursor(int x, int y) { glfwSetCursorPos(Graphics::GetWindow(), x, y); }
    // A click on a button: the cursor rests on it for two frames first, so
    // the user interface claims the press.
    static bool Click(int frame, int at, int x, int y) {
        if (frame == at) Cursor(x, y);
        if (frame == at + 2) events::Call<int>("MouseButtonPressed", 0);
        return frame > at + 3;
    }
    // A level of that many entities on a grid 10 units apart, each with a point
    // light (whose outline listener comes and goes with it).
    static std::string LevelOf(int entities) {
        Json::Value level = Parse(kSmallLevel);
        for (int i = 0; i < entities; ++i) {
            Json::Value entity;
            entity["name"] = "e" + std::to_string(i);
            entity["pos"]["x"] = i % 40 * 10;
            entity["pos"]["y"] = i / 40 * 10;
            entity["pos"]["z"] = 0;
            entity["components"][0]["__component_name"] = "PointLight";
            level["entities"].append(entity);
        }
        return level.toStyledString();
    }
};

TEST_F(EditorSession, OpenedAndClosedAHundredTimesItLeavesNothingConnected) {
    folder.WriteLevel("korvel_splash", LevelOf(1000));
    int cycles = 0;
    RunUntil([&](int frame) {
        if (frame < 2) return false;
        if (Engine::GetMode() == Engine::kGameMode && !g_editor) {
            Open();
        } else if (Engine::GetMode() == Engine::kEditorMode) {
            // Everything a gesture connects, left running as the editor closes.
            Cursor(kLevelX, kLevelY);
            g_editor->SelectEntity(engine::GetAllEntities()[cycles], true, true);
            g_editor->MouseSelection(true, true, false);
            g_editor->BeginPanCamera();
            Editor::PushAction(std::make_unique<moveEntityAction>(g_editor->GetSelection(), glm::vec3(0.0f)));
            TileEditor::OnMouseButtonPressed();
            Close();
            ++cycles;
        }
        return cycles == 100;
    });
    EXPECT_EQ(cycles, 100);
    EXPECT_EQ(g_editor, nullptr);
    for (const auto& [event, id] : std::vector<std::pair<const char*, const char*>>{
             {"DebugDraw", "EditorDrawDraggables"},
             {"KeyPressed", "EditorKeyPressed"},
             {"MouseButtonPressed", "EditorMouseButtonPressed"},
             {"MouseButtonReleased", "EditorMouseButtonReleased"},
             {"DebugDraw", "MouseMovementMouseSelection"},
             {"LogicUpdate", "TileEditorMouseDraggingUpdate"},
             {"MouseButtonReleased", "TileEditorMouseButtonRelease"}})
        EXPECT_FALSE(Connected(event, id)) << id;
    for (const auto& action : Editor::GetActions()) EXPECT_FALSE(action->active) << action->name;
}

// Panning and zooming look over the level; the game, its restarts and its
// next levels go on with the view it had.
TEST_F(EditorSession, ClosingTheEditorPutsTheGamesCameraBack) {
    const glm::vec3 game(30.0f, -20.0f, 0.0f);
    glm::vec3 inEditor(0.0f), after(0.0f);
    float zoomInEditor = 0.0f, zoomAfter = 0.0f;
    RunUntil([&](int frame) {
        if (frame == 2) {
            Camera::SetPosition(game);
            Camera::SetScale(1.5f);
            Cursor(kLevelX, kLevelY);
            Open();
        }
        if (frame == 4) {
            for (int key : {GLFW_KEY_E, GLFW_KEY_RIGHT}) events::Call<int>("KeyPressed", key);
            events::Call<int>("MouseButtonPressed", 1);
        }
        if (frame == 5) Cursor(kLevelX - 300, kLevelY + 100);
        if (frame == 7) {
            events::Call<int>("MouseButtonReleased", 1);
            inEditor = Camera::GetPosition();
            zoomInEditor = Camera::GetZoom();
            Close();
        }
        if (frame == 9) Engine::SetLevel("korvel_splash", false);
        if (frame == 11) {
            after = Camera::GetPosition();
            zoomAfter = Camera::GetZoom();
        }
        return frame == 11;
    });
    EXPECT_FLOAT_EQ(zoomInEditor, 2.25f) << "E zoomed in";
    EXPECT_NE(inEditor, game) << "the arrow key and the right drag panned";
    EXPECT_EQ(after, game);
    EXPECT_FLOAT_EQ(zoomAfter, 1.5f);
}

TEST_F(EditorSession, ClosedInTheMiddleOfAKeyPressItsListenersDoNothing) {
    bool closed = false;
    RunUntil([&](int frame) {
        if (frame == 2) Open();
        if (frame == 4) {
            // Listeners of one event run in no set order: with this many
            // closing it, some run before the editor's own.
            for (char id = 'a'; id <= 'z'; ++id)
                events::Connect<int>("KeyPressed", std::string("close ") + id, [](int) { Engine::DestroyEditor(); });
            events::Call<int>("KeyPressed", 70);  // F: would read the freed editor's selection
            closed = g_editor == nullptr;
            for (char id = 'a'; id <= 'z'; ++id) events::Disconnect("KeyPressed", std::string("close ") + id);
        }
        return frame == 5;
    });
    EXPECT_TRUE(closed);
}

TEST_F(EditorSession, AReleaseOverTheWindowStillEndsTheDragAndTheBox) {
    size_t heldActions = 0;
    bool boxOpen = true;
    RunUntil([&](int frame) {
        if (frame == 2) Open();
        if (frame == 4) {
            Cursor(kLevelX, kLevelY);
            Editor::PushAction(std::make_unique<moveEntityAction>(std::vector<engine::entity_handle>{}, glm::vec3(0.0f)));
            g_editor->MouseSelection(true, true, false);
            g_editor->MouseSelection(true, true, false);  // a press whose release was lost: no second listener
            Cursor(300, 300);                               // over the editor window
        }
        if (frame == 7) events::Call<int>("MouseButtonReleased", 0);
        if (frame == 8) {
            heldActions = Editor::GetActions().size();
            boxOpen = Connected("DebugDraw", "MouseMovementMouseSelection");
        }
        return frame == 8;
    });
    ASSERT_EQ(heldActions, 1u);
    EXPECT_FALSE(Editor::GetActions()[0]->active) << "the drag ended";
    EXPECT_FALSE(boxOpen);
}

// The pointer comes from the level onto the window and presses there before
// a frame has drawn it over the window: the press is the window's, on the
// Level tab (no drag, no change of selection) as on the Tiles tab (no paint).
TEST_F(EditorSession, AClickThatLandsOnTheWindowNeverReachesTheLevel) {
    folder.WriteLevel("korvel_splash", LevelOf(3));
    const EditorTab tabs[] = {kLevelTab, kTilesTab};
    std::vector<std::string> tilesBefore, tilesAfter;
    std::vector<bool> painting, selectionKept;
    RunUntil([&](int frame) {
        if (frame == 2) {
            Open();
            TileEditor::SetSelectedTileType(1);
        }
        const int row = (frame - 3) / 10, step = (frame - 3) % 10;
        if (frame < 3 || row >= static_cast<int>(std::size(tabs))) return frame > 3;
        const engine::entity_handle selected = engine::GetAllEntities()[1];
        if (step == 0) {
            SetCurrentTab(tabs[row]);
            g_editor->SelectEntity(selected, true, true);
            Cursor(kLevelX, kLevelY);
        }
        if (step == 3) {
            tilesBefore.push_back(GetTileMap()->Serialize()["tiles"].asString());
            Cursor(530, 60);  // inside the window, clear of its widgets
            events::Call<int>("MouseButtonPressed", 0);
            painting.push_back(Connected("LogicUpdate", "TileEditorMouseDraggingUpdate"));
        }
        if (step == 4) events::Call<int>("MouseButtonReleased", 0);
        if (step == 6) {
            tilesAfter.push_back(GetTileMap()->Serialize()["tiles"].asString());
            selectionKept.push_back(g_editor->GetSelection() == std::vector<engine::entity_handle>{selected});
        }
        return false;
    });
    EXPECT_EQ(tilesAfter, tilesBefore) << "nothing painted under the window";
    EXPECT_EQ(painting, std::vector<bool>(std::size(tabs), false));
    EXPECT_EQ(selectionKept, std::vector<bool>(std::size(tabs), true));
}

TEST_F(EditorSession, LoadingALevelForgetsTheUndoHistoryAndTheSelectionOfTheLastOne) {
    folder.WriteLevel("korvel_splash", LevelOf(3));
    glm::vec3 position(0.0f);
    size_t selected = 99;
    engine::entity_handle primary(0, 99);
    RunUntil([&](int frame) {
        if (frame == 2) Open();
        if (frame == 4) {
            // A drag of entity 1, then the level is loaded again: ids restart.
            const engine::entity_handle first = engine::GetAllEntities()[0];
            g_editor->SelectEntity(engine::GetAllEntities()[2], true, true);
            Editor::PushAction(std::make_unique<moveEntityAction>(std::vector<engine::entity_handle>{first}, glm::vec3(0.0f)));
            Editor::GetActions().back()->active = false;
            first.SetPosition(-500, -500, 0);
            Engine::SetLevel("korvel_splash", false);
        }
        if (frame == 6) {
            // Delete would now take the new level's entity 3, never picked.
            selected = g_editor->GetSelection().size();
            primary = g_editor->GetPrimarySelection();
            Editor::Undo();
            position = engine::GetAllEntities()[0].GetPosition();
        }
        return frame == 6;
    });
    EXPECT_EQ(position, glm::vec3(0, 0, 0)) << "the reloaded entity stays where the file put it";
    EXPECT_TRUE(Editor::GetActions().empty());
    EXPECT_EQ(selected, 0u);
    EXPECT_EQ(primary, engine::entity_handle());
}

TEST_F(EditorSession, AReloadWithBrokenScriptsLeavesTheEditorWithoutLua) {
    bool hostBefore = false, hostAfter = true;
    RunUntil([&](int frame) {
        if (frame == 2) Open();
        if (frame == 4) {
            hostBefore = GetLuaState() != nullptr;
            folder.game.Write("lua/engine/init.lua", "this is not lua");
        }
        const bool done = Click(frame, 5, kSaveAndReloadX, kButtonsY);
        if (done) hostAfter = GetLuaState() != nullptr;
        return done;
    });
    EXPECT_TRUE(hostBefore);
    EXPECT_FALSE(hostAfter);
    EXPECT_EQ(Engine::GetCurrentLevelName(), "korvel_splash") << "the level was loaded again";
    EXPECT_TRUE(Logged("Error loading lua init file!")) << "the script's error is logged";
}

TEST_F(EditorSession, ADamagedLevelFromTheLoadMenuIsLoggedAndLeavesTheCurrentLevel) {
    folder.WriteLevel("korvel_splash", LevelOf(3));
    folder.WriteLevel("broken", "{\"entities\": [");
    const std::vector<std::string> listed = ListFiles("levels", "json");
    const int row = static_cast<int>(std::find(listed.begin(), listed.end(), "broken") - listed.begin());
    std::vector<std::string> names;
    bool savedEdit = false;
    RunUntil([&](int frame) {
        if (frame == 2) Open();
        if (frame == 3) engine::GetAllEntities()[1].SetName("edited");
        // Each menu opens where the last click was, the levels a row each.
        const bool done = Click(frame, 3, kLoadX, kButtonsY) && Click(frame, 7, kLoadX + 30, kButtonsY + kYesRow) &&
                          Click(frame, 11, kLoadX + 60, kButtonsY + kYesRow + kMenuFirstRow + row * kMenuRow);
        if (done) {
            for (const engine::entity_handle& entity : engine::GetAllEntities()) names.push_back(entity.GetName());
            savedEdit = SaveLevel("korvel_splash", false);
        }
        return done;
    });
    EXPECT_EQ(names, (std::vector<std::string>{"e0", "edited", "e2"}));
    EXPECT_TRUE(Logged("Editor: could not load level \"broken\": "));
    EXPECT_EQ(Engine::GetCurrentLevelName(), "korvel_splash");
    EXPECT_EQ(folder.ReadLevel("broken"), "{\"entities\": [") << "nothing written over either file";
    ASSERT_TRUE(savedEdit);
    EXPECT_EQ(Parse(folder.ReadLevel("korvel_splash"))["entities"][1]["name"].asString(), "edited");
}

// "load" throws away what is not written, so it asks first: "no" keeps the
// edit, "yes" offers the levels.
TEST_F(EditorSession, LoadAsksBeforeItThrowsTheEditsAway) {
    folder.WriteLevel("korvel_splash", LevelOf(3));
    for (const char* other : {"other1", "other2", "other3"}) folder.WriteLevel(other, LevelOf(1));
    const std::vector<std::string> listed = ListFiles("levels", "json");
    const int row = static_cast<int>(std::find(listed.begin(), listed.end(), "other2") - listed.begin());
    std::string levelAfterNo, nameAfterNo;
    RunUntil([&](int frame) {
        if (frame == 2) Open();
        if (frame == 3) engine::GetAllEntities()[1].SetName("edited");
        const bool no = Click(frame, 3, kLoadX, kButtonsY) && Click(frame, 7, kLoadX + 30, kButtonsY + kNoRow);
        if (frame == 12) {
            levelAfterNo = Engine::GetCurrentLevelName();
            const std::vector<engine::entity_handle> entities = engine::GetAllEntities();
            if (entities.size() == 3) nameAfterNo = entities[1].GetName();
        }
        return no && Click(frame, 12, kLoadX, kButtonsY) && Click(frame, 16, kLoadX + 30, kButtonsY + kYesRow) &&
               Click(frame, 20, kLoadX + 60, kButtonsY + kYesRow + kMenuFirstRow + row * kMenuRow);
    });
    EXPECT_EQ(levelAfterNo, "korvel_splash");
    EXPECT_EQ(nameAfterNo, "edited") << "\"no\" kept the edit";
    EXPECT_EQ(Engine::GetCurrentLevelName(), "other2") << "\"yes\" offered the levels";
    EXPECT_EQ(Parse(folder.ReadLevel("korvel_splash"))["entities"][1]["name"].asString(), "e1") << "nothing written";
}

// Real editor keys through the X server; each toggle is sent once the last
// one has been seen to act.
TEST_F(EditorSession, ALevelThatCannotBeSavedKeepsTheEditorOpenAndTheLevelInMemory) {
    folder.WriteLevel("korvel_splash", LevelOf(3));
    fs::create_directories(folder.game.path() / "levels/blocked.json");  // no file can replace a folder
    const std::string toggle = "xdotool keydown Control_L keydown Shift_L key F8 keyup Shift_L keyup Control_L";
    const struct {
        std::string name, line;
    } refusals[] = {
        {"courtyard/part2", "Editor: level \"courtyard/part2\" refused: a level name holds no path separator; the editor stays open"},
        {"blocked", "Editor: level \"blocked\" was not saved; the editor stays open"},
        {"", "Editor: level \"\" refused: a level needs a name; the editor stays open"},
    };
    size_t step = 0;
    double sentAt = -1;  // when the step's toggle went out; a lost one goes again
    std::vector<bool> keptOpen;
    std::vector<size_t> entities;
    const double deadline = glfwGetTime() + 90;
    const auto send = [&] {
        sentAt = glfwGetTime();
        std::system(toggle.c_str());
    };
    RunUntil([&](int frame) {
        if (frame == 2) Open();
        if (frame < 3 || !Engine::HasFocus() || Engine::GetMode() != Engine::GetRequestedMode()) return glfwGetTime() > deadline;
        if (step == 0) engine::GetAllEntities()[0].SetPosition(5, 6, 0);  // an edit not saved yet
        const bool resend = sentAt >= 0 && glfwGetTime() > sentAt + 10;
        if (step < std::size(refusals)) {
            if (sentAt < 0) {
                Engine::SetLevel(refusals[step].name, true);
                send();
            } else if (Logged(refusals[step].line)) {
                keptOpen.push_back(g_editor && Engine::GetRequestedMode() == Engine::kEditorMode);
                entities.push_back(engine::GetAllEntities().size());
                ++step;
                sentAt = -1;
            } else if (resend) {
                send();
            }
        } else if (Engine::GetMode() == Engine::kGameMode) {
            return true;
        } else if (sentAt < 0) {
            Engine::SetLevel("courtyard2", true);
            send();
        } else if (resend) {
            send();
        }
        return glfwGetTime() > deadline;
    });
    EXPECT_EQ(keptOpen, std::vector<bool>(std::size(refusals), true));
    EXPECT_EQ(entities, std::vector<size_t>(std::size(refusals), 3u));
    ASSERT_EQ(Engine::GetMode(), Engine::kGameMode) << "a plain name closes the editor";
    EXPECT_EQ(Engine::GetCurrentLevelName(), "courtyard2");
    const Json::Value saved = Parse(folder.ReadLevel("courtyard2"));
    EXPECT_EQ(saved["entities"][0]["pos"]["x"].asFloat(), 5.0f) << "the edit was kept and saved";
    EXPECT_FALSE(fs::exists(folder.game.path() / "levels/courtyard"));
    EXPECT_TRUE(fs::is_directory(folder.game.path() / "levels/blocked.json"));
}

TEST_F(EditorSession, SaveAndReloadWithANameThatCannotBeSavedReloadsNothing) {
    folder.WriteLevel("korvel_splash", LevelOf(3));
    size_t entities = 0;
    glm::vec3 position(0.0f);
    RunUntil([&](int frame) {
        if (frame == 2) Open();
        if (frame == 3) {
            engine::GetAllEntities()[0].SetPosition(5, 6, 0);
            Engine::SetLevel("courtyard/part2", true);
        }
        const bool done = Click(frame, 4, kSaveAndReloadX, kButtonsY);
        if (done) {
            entities = engine::GetAllEntities().size();
            position = engine::GetAllEntities()[0].GetPosition();
        }
        return done;
    });
    EXPECT_TRUE(Logged("Editor: level \"courtyard/part2\" refused: a level name holds no path separator; nothing is saved or reloaded"));
    EXPECT_EQ(entities, 3u);
    EXPECT_EQ(position, glm::vec3(5, 6, 0));
}

TEST_F(EditorSession, DeleteSaveWithoutASaveFolderIsLogged) {
    RunUntil([&](int frame) {
        if (frame == 2) {
            Open();
            // A file where the documents folder should be: no save folder can be made.
            std::filesystem::remove_all(folder.home.path() / "Documents");
            folder.home.Write("Documents", "not a folder");
        }
        return Click(frame, 3, kDeleteSaveX, kButtonsY);
    });
    EXPECT_TRUE(Logged("Editor: could not delete the save: "));
}

TEST_F(EditorSession, TilePressesWithoutAReleasePaintWithOneSetOfListeners) {
    std::string tiles;
    bool paintingAfterRelease = true;
    RunUntil([&](int frame) {
        if (frame == 2) {
            Open();
            SetCurrentTab(kTilesTab);
            TileEditor::SetSelectedTileType(3);
            Cursor(kLevelX, kLevelY);
        }
        if (frame == 4 || frame == 5) events::Call<int>("MouseButtonPressed", 0);  // the first release was lost
        if (frame == 6) events::Call<int>("MouseButtonReleased", 1);  // not the painting button
        if (frame == 7) {
            tiles = GetTileMap()->Serialize()["tiles"].asString();
            events::Call<int>("MouseButtonReleased", 0);
            paintingAfterRelease = Connected("LogicUpdate", "TileEditorMouseDraggingUpdate");
        }
        return frame == 7;
    });
    EXPECT_NE(tiles.find('3'), std::string::npos) << tiles;
    EXPECT_FALSE(paintingAfterRelease);
}

// At a low frame rate a whole edit of the "level" field comes between two
// frames: Ctrl+A, Backspace, then the new name.
TEST_F(EditorSession, AFieldEditedWithinOneFrameTakesTheKeysInTheOrderTheyCame) {
    std::string name;
    RunUntil([&](int frame) {
        if (frame == 2) Open();
        const bool focused = Click(frame, 3, 150, 61);
        if (frame == 8) {
            for (const auto& [event, key] : std::vector<std::pair<const char*, int>>{
                     {"KeyPressed", GLFW_KEY_LEFT_CONTROL}, {"KeyPressed", GLFW_KEY_A}, {"KeyReleased", GLFW_KEY_A},
                     {"KeyReleased", GLFW_KEY_LEFT_CONTROL}, {"KeyPressed", GLFW_KEY_BACKSPACE},
                     {"KeyReleased", GLFW_KEY_BACKSPACE}})
                events::Call<int>(event, key);
            for (char c : std::string("world")) ImGuiGlue::OnChar(Graphics::GetWindow(), c);
        }
        if (frame == 16) name = Engine::GetCurrentLevelName();
        return focused && frame == 16;
    });
    EXPECT_EQ(name, "world");
}

TEST_F(EditorSession, ANegativeTileSizeCountsAsZero) {
    uint32_t width = 16;
    RunUntil([&](int frame) {
        if (frame == 2) {
            Open();
            SetCurrentTab(kTilesTab);
        }
        // A click on the "tile width" field selects its text; typing replaces it.
        const bool typed = Click(frame, 3, 150, 61);
        if (frame == 7) {
            ImGui::GetIO().AddInputCharacter('-');
            ImGui::GetIO().AddInputCharacter('5');
        }
        if (frame == 9) width = GetTileMap()->GetTileWidth();
        return typed && frame == 9;
    });
    EXPECT_EQ(width, 0u);
}

TEST_F(EditorSession, CuesAreMadeOnceByNameAndDeletedWithTheirListenersAndStorage) {
    // The shipped cues come first; the one made here follows them.
    std::vector<std::string> shipped;
    for (const auto& cue : audio::cues) shipped.push_back(cue->GetName());
    const int madeCueY = kThirdCueY + (static_cast<int>(shipped.size()) - 2) * kCueRow;
    size_t madeCues = 0;
    bool fading = false;
    RunUntil([&](int frame) {
        if (frame == 2) {
            Open();
            SetCurrentTab(kSoundTab);
        }
        if (frame == 16) {
            madeCues = audio::cues.size();
            SoundCueBank* cue = LookupCue("Enter Name");
            SoundCueBank::Play(cue, 1.0f);  // a music cue: it fades in
            fading = cue && cue->fadeInConnected;
        }
        // Open the first event, make a cue of it twice under the name
        // "Enter Name", then open that cue and delete it.
        return Click(frame, 3, kHeaderX, kFirstEventY) && Click(frame, 7, kMakeCueX, kMakeCueY) &&
               Click(frame, 11, kMakeCueX, kMakeCueY) && Click(frame, 17, kHeaderX, madeCueY) &&
               Click(frame, 21, kDeleteCueX, madeCueY + kCueButtonsBelow);
    });
    EXPECT_EQ(madeCues, shipped.size() + 1);
    EXPECT_TRUE(Logged("cue already exists"));
    EXPECT_TRUE(fading);
    EXPECT_FALSE(Connected("LogicUpdate", "SoundStartFadeInEnter Name")) << "the deleted cue's fade went with it";
    std::vector<std::string> names;
    for (const auto& cue : audio::cues) names.push_back(cue->GetName());
    EXPECT_EQ(names, shipped);
    EXPECT_EQ(audio::cueCount, static_cast<int>(shipped.size()));
    const std::string storage = folder.game.Read("Audio/SoundStorage.json");
    EXPECT_NE(storage.find("Button_Hover"), std::string::npos) << storage;
    EXPECT_EQ(storage.find("Enter Name"), std::string::npos) << storage;
}

TEST_F(EditorSession, LabelsSharedByTwoComponentsEditOnlyTheirOwn) {
    folder.WriteLevel("korvel_splash", R"({"entities": [{"name": "e0", "pos": {"x": 0, "y": 0, "z": 0},
        "components": [{"__component_name": "CircleCollider"}, {"__component_name": "BoxCollider"}]}]})");
    glm::vec2 box(-1.0f), circle(-1.0f);
    RunUntil([&](int frame) {
        if (frame == 2) Open();
        if (frame == 3) g_editor->SelectEntity(engine::GetAllEntities()[0], true, true);
        if (frame == 20) {
            ImGui::GetIO().AddInputCharacter('7');
            ImGui::GetIO().AddInputCharacter('\t');
        }
        // Both sections open, BoxCollider first by name; then the circle's
        // "Center Offset", which the box shows too.
        const bool done = Click(frame, 4, kHeaderX, kFirstSectionY) &&
                          Click(frame, 8, kHeaderX, kSecondSectionY) && Click(frame, 12, 100, kCircleOffsetY) &&
                          frame == 22;
        if (done) {
            const engine::entity_handle entity = engine::GetAllEntities()[0];
            box = entity.GetBaseEntity().Get<BoxCollider>()->centerOffset;
            circle = entity.GetBaseEntity().Get<CircleCollider>()->centerOffset;
        }
        return done;
    });
    EXPECT_EQ(circle, glm::vec2(7.0f, 0.0f));
    EXPECT_EQ(box, glm::vec2(0.0f, 0.0f));
}

}  // namespace
