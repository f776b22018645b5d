#include <algorithm>
#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#include <imgui.h>

#include "core/events/events.h"
#include "editor/imgui_glue.h"
#include "tests/support/gl_context.h"

namespace {

class ImGuiGlueTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"MouseButtonPressed", "KeyPressed", "KeyReleased"}) events::Register<int>(name);
        ImGuiGlue::Init(context.window(), true);
        // These tests share one working folder and run side by side: a layout
        // file another one is writing must not be read half-made.
        ImGui::GetIO().IniFilename = nullptr;
    }
    void TearDown() override {
        if (ImGui::GetCurrentContext()) ImGuiGlue::Shutdown();
    }

    // One whole frame with a window holding some text; before the text, its
    // draw list may carry callbacks.
    void Frame(std::initializer_list<ImDrawCallback> callbacks = {}) {
        ImGuiGlue::NewFrame();
        ImGui::SetNextWindowPos(ImVec2(10, 10));
        ImGui::SetNextWindowSize(ImVec2(200, 100));
        ImGui::Begin("Console");
        for (ImDrawCallback callback : callbacks) ImGui::GetWindowDrawList()->AddCallback(callback, nullptr);
        ImGui::TextUnformatted("hello");
        ImGui::End();
        ImGui::Render();
        ImGuiGlue::RenderDrawLists(ImGui::GetDrawData());
    }

    void ExpectTextLands(std::initializer_list<ImDrawCallback> callbacks);

    // Sends input as the window would between two frames, written as "C+"
    // (left Control down), "C-" (up), likewise "S" left Shift, "A" the A
    // key, "W" the W key, "B" Backspace; "*" a left click; a lowercase
    // letter is a typed character.
    void Send(const std::string& input) {
        std::istringstream events(input);
        for (std::string event; events >> event;) {
            const auto key = std::find_if(std::begin(kKeys), std::end(kKeys), [&](auto k) { return k.first == event[0]; });
            if (event == "*")
                events::Call<int>("MouseButtonPressed", 0);
            else if (key != std::end(kKeys))
                events::Call<int>(event[1] == '+' ? "KeyPressed" : "KeyReleased", key->second);
            else
                ImGuiGlue::OnChar(context.window(), static_cast<unsigned char>(event[0]));
        }
    }
    static constexpr std::pair<char, int> kKeys[] = {{'C', GLFW_KEY_LEFT_CONTROL}, {'S', GLFW_KEY_LEFT_SHIFT},
                                                     {'A', GLFW_KEY_A},            {'W', GLFW_KEY_W},
                                                     {'B', GLFW_KEY_BACKSPACE}};

    testing_support::GlContext context{320, 240};
};

TEST_F(ImGuiGlueTest, FirstFrameTakesASixtiethOfASecond) {
    ImGuiGlue::NewFrame();
    EXPECT_FLOAT_EQ(ImGui::GetIO().DeltaTime, 1.0f / 60.0f);
    EXPECT_FLOAT_EQ(ImGui::GetIO().DisplaySize.x, 320.0f);
    ImGui::EndFrame();
    ImGuiGlue::NewFrame();
    EXPECT_GT(ImGui::GetIO().DeltaTime, 0.0f);
    // Measured, however long a loaded machine took between the frames.
    EXPECT_NE(ImGui::GetIO().DeltaTime, 1.0f / 60.0f) << "measured, not the first-frame default";
    ImGui::EndFrame();
}

TEST_F(ImGuiGlueTest, KeysArriveThroughTheEventsWithBothModifierSides) {
    ImGuiIO& io = ImGui::GetIO();
    events::Call<int>("KeyPressed", GLFW_KEY_RIGHT_CONTROL);
    EXPECT_TRUE(io.KeyCtrl);
    events::Call<int>("KeyPressed", GLFW_KEY_LEFT_CONTROL);
    Frame();
    events::Call<int>("KeyReleased", GLFW_KEY_RIGHT_CONTROL);
    EXPECT_TRUE(io.KeyCtrl) << "the left key is still held";
    events::Call<int>("KeyReleased", GLFW_KEY_LEFT_CONTROL);
    EXPECT_FALSE(io.KeyCtrl) << "keys held over a frame go up at once";
    events::Call<int>("KeyPressed", GLFW_KEY_RIGHT_SHIFT);
    events::Call<int>("KeyPressed", GLFW_KEY_RIGHT_ALT);
    EXPECT_TRUE(io.KeyShift);
    EXPECT_TRUE(io.KeyAlt);
    events::Call<int>("KeyPressed", GLFW_KEY_A);
    EXPECT_TRUE(io.KeysDown[GLFW_KEY_A]);
    EXPECT_EQ(io.KeyMap[ImGuiKey_Escape], 256);
    EXPECT_EQ(io.KeyMap[ImGuiKey_Tab], 258);
}

TEST_F(ImGuiGlueTest, KeyCodesOutsideTheTableChangeNothing) {
    ImGuiIO& io = ImGui::GetIO();
    bool before[512];
    std::copy(std::begin(io.KeysDown), std::end(io.KeysDown), before);
    for (int key : {-1, 512, 100000}) {
        events::Call<int>("KeyPressed", key);
        events::Call<int>("KeyReleased", key);
    }
    EXPECT_TRUE(std::equal(std::begin(io.KeysDown), std::end(io.KeysDown), before));
    EXPECT_FALSE(io.KeyCtrl || io.KeyShift || io.KeyAlt);
}

// What each frame is handed after input sent between frames (events[i] go
// in before frame i): the keys it sees down, ':', the characters it is
// handed, then '*' when the left button is down; a key it sees going down
// is written in lowercase.
TEST_F(ImGuiGlueTest, EachFrameIsHandedTheInputInTheOrderItCame) {
    struct row {
        const char* name;
        std::vector<std::string> events;
        std::vector<std::string> frames;
    };
    const row rows[] = {
        {"a tap within one frame", {"B+ B-"}, {"b:", ":"}},
        {"two taps within one frame", {"B+ B- B+ B-"}, {"b:", ":", "b:", ":"}},
        {"taps before two frames in a row", {"B+ B-", "B+ B-"}, {"b:", ":", "b:", ":"}},
        {"a key held over a frame goes up at once", {"B+", "B-", ""}, {"b:", ":", ":"}},
        {"a release and a new press within one frame", {"B+", "B- B+", "B-"}, {"b:", ":", "b:", ":"}},
        {"plain typing goes through at once", {"W+ w W- A+ a A- W+ w W-"}, {":waw"}},
        {"a Shift tap is seen, the typing after it waits", {"S+ w S- W+ w W-"}, {"s:w", ":w"}},
        {"Ctrl+A, Backspace and typing within one frame", {"C+ A+ A- C- B+ B- w o"}, {"ca:", "b:", ":wo"}},
        {"typing, then Backspace within one frame", {"w o B+ B-"}, {"b:wo", ":"}},
        {"Ctrl pressed after a character", {"w C+ C-"}, {":w", "c:", ":"}},
        {"Shift around a Backspace", {"S+ B+ B- S-"}, {"sb:", ":"}},
        {"a Ctrl+click, Ctrl released at once", {"C+ * C-"}, {"c:*", ":"}},
        {"a click after typing", {"w *"}, {":w", ":*"}},
        {"two clicks within one frame", {"* *"}, {":*", ":", ":*", ":"}},
        {"clicks before two frames in a row", {"*", "*"}, {":*", ":", ":*"}},
    };
    for (const row& r : rows) {
        SCOPED_TRACE(r.name);
        for (int settle = 0; settle < 2; ++settle) {  // the last row's click goes up
            ImGuiGlue::NewFrame();
            ImGui::EndFrame();
        }
        std::vector<std::string> frames;
        for (size_t frame = 0; frame < r.frames.size(); ++frame) {
            Send(frame < r.events.size() ? r.events[frame] : "");
            ImGuiGlue::NewFrame();
            const ImGuiIO& io = ImGui::GetIO();
            std::string seen;
            for (const auto& [name, code] : kKeys)
                if (ImGui::IsKeyDown(code))
                    seen += ImGui::IsKeyPressed(code, false) ? static_cast<char>(std::tolower(name)) : name;
            seen += ':';
            for (ImWchar c : io.InputQueueCharacters) seen += static_cast<char>(c);
            if (io.MouseDown[0]) seen += '*';
            frames.push_back(seen);
            ImGui::EndFrame();
        }
        EXPECT_EQ(frames, r.frames);
    }
}

// However fast the taps come, the frames catch up in a bounded number and
// no key is left down.
TEST_F(ImGuiGlueTest, AFloodOfTapsWithinOneFrameIsCaughtUpWith) {
    for (int tap = 0; tap < 1000; ++tap) Send("B+ B- w");
    for (int frame = 0; frame < 100; ++frame) {
        ImGuiGlue::NewFrame();
        ImGui::EndFrame();
    }
    for (int frame = 0; frame < 100; ++frame) {
        Send("w");
        ImGuiGlue::NewFrame();
        ASSERT_EQ(ImGui::GetIO().InputQueueCharacters.Size, 1) << "the frames caught up; typing goes through at once";
        EXPECT_FALSE(ImGui::IsKeyDown(GLFW_KEY_BACKSPACE));
        ImGui::EndFrame();
    }
}

// Which window a click lands on is known from the windows the last frame
// drew, before the library has seen the mouse there.
TEST_F(ImGuiGlueTest, WindowAtFindsTheWindowsTheLastFrameDrew) {
    ImGuiGlue::NewFrame();
    ImGui::EndFrame();
    EXPECT_FALSE(ImGuiGlue::WindowAt(100, 60)) << "a frame with no window of its own covers nothing";
    Frame();  // "Console" at (10, 10), 200 by 100
    EXPECT_TRUE(ImGuiGlue::WindowAt(100, 60));
    EXPECT_FALSE(ImGuiGlue::WindowAt(300, 60));
    ImGuiGlue::NewFrame();
    ImGui::EndFrame();
    EXPECT_FALSE(ImGuiGlue::WindowAt(100, 60)) << "a window no longer drawn";
}

// A field's text after input sent all between two frames, as a low frame
// rate gives it.
TEST_F(ImGuiGlueTest, KeysAndCharactersEditAFieldInTheOrderTheyCame) {
    const struct {
        const char* input;
        const char* text;
    } rows[] = {
        {"C+ A+ A- C- B+ B-", ""},
        {"C+ A+ A- C- B+ B- W+ w W- o r l d", "world"},
        {"W+ w W- o B+ B- B+ B- x", "courtyardx"},
        {"C+ A+ A- C- x B+ B- y", "y"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.input);
        char text[32] = "courtyard";
        const auto frame = [&](bool focus) {
            ImGuiGlue::NewFrame();
            ImGui::Begin("Editor");
            if (focus) ImGui::SetKeyboardFocusHere();
            ImGui::InputText("level", text, sizeof text);
            ImGui::End();
            ImGui::EndFrame();
        };
        frame(true);
        for (int i = 0; i < 3; ++i) frame(false);
        ASSERT_TRUE(ImGui::GetIO().WantTextInput) << "the field has the keyboard";
        // Focus selected the text: End, held over a frame, leaves none selected.
        events::Call<int>("KeyPressed", GLFW_KEY_END);
        frame(false);
        events::Call<int>("KeyReleased", GLFW_KEY_END);
        frame(false);
        Send(row.input);
        for (int i = 0; i < 8; ++i) frame(false);
        EXPECT_STREQ(text, row.text);
        ImGui::SetWindowFocus(nullptr);  // the next row starts on a field taken afresh
        frame(false);
    }
}

TEST_F(ImGuiGlueTest, AClickBetweenFramesCountsAsOneFrameDown) {
    events::Call<int>("MouseButtonPressed", 1);
    events::Call<int>("MouseButtonPressed", 7);  // ignored
    ImGuiGlue::NewFrame();
    EXPECT_TRUE(ImGui::GetIO().MouseDown[1]);
    EXPECT_FALSE(ImGui::GetIO().MouseDown[0]);
    ImGui::EndFrame();
    ImGuiGlue::NewFrame();
    EXPECT_FALSE(ImGui::GetIO().MouseDown[1]);
    ImGui::EndFrame();
}

TEST_F(ImGuiGlueTest, ScrollAccumulatesUntilTheNextFrameAndCharactersAreFiltered) {
    ImGuiGlue::OnScroll(context.window(), 5.0, 1.0);
    ImGuiGlue::OnScroll(context.window(), 0.0, 0.5);
    ImGuiGlue::OnChar(context.window(), 0);
    ImGuiGlue::OnChar(context.window(), 0x1F600);
    ImGuiGlue::OnChar(context.window(), 'q');
    ImGuiIO& io = ImGui::GetIO();
    ASSERT_EQ(io.InputQueueCharacters.Size, 1);
    EXPECT_EQ(io.InputQueueCharacters[0], 'q');
    ImGuiGlue::NewFrame();
    EXPECT_FLOAT_EQ(io.MouseWheel, 1.5f);
    ImGui::EndFrame();
    ImGuiGlue::NewFrame();
    EXPECT_FLOAT_EQ(io.MouseWheel, 0.0f);
    ImGui::EndFrame();
}

TEST_F(ImGuiGlueTest, ClipboardGoesThroughTheWindow) {
    ImGui::SetClipboardText("level name");
    EXPECT_STREQ(ImGui::GetClipboardText(), "level name");
}

GLint Integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

TEST_F(ImGuiGlueTest, RenderingLeavesTheGlStateAsItFoundIt) {
    Frame();  // creates the device objects
    GLuint texture, buffers[2], vertexArray;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenBuffers(2, buffers);
    glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[1]);
    const GLuint program = glCreateProgram();
    const GLuint shader = glCreateShader(GL_VERTEX_SHADER);
    const char* source = "#version 330\nvoid main() { gl_Position = vec4(0); }\n";
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    glAttachShader(program, shader);
    glLinkProgram(program);
    glUseProgram(program);
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_SCISSOR_TEST);
    glBlendFuncSeparate(GL_ONE, GL_ZERO, GL_ONE, GL_ONE);
    glBlendEquationSeparate(GL_FUNC_SUBTRACT, GL_MAX);

    Frame();

    EXPECT_EQ(Integer(GL_CURRENT_PROGRAM), static_cast<GLint>(program));
    EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(texture));
    EXPECT_EQ(Integer(GL_VERTEX_ARRAY_BINDING), static_cast<GLint>(vertexArray));
    EXPECT_EQ(Integer(GL_ARRAY_BUFFER_BINDING), static_cast<GLint>(buffers[0]));
    EXPECT_EQ(Integer(GL_ELEMENT_ARRAY_BUFFER_BINDING), static_cast<GLint>(buffers[1]));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
    EXPECT_EQ(Integer(GL_BLEND_SRC_RGB), GL_ONE);
    EXPECT_EQ(Integer(GL_BLEND_DST_RGB), GL_ZERO);
    EXPECT_EQ(Integer(GL_BLEND_DST_ALPHA), GL_ONE);
    EXPECT_EQ(Integer(GL_BLEND_EQUATION_RGB), GL_FUNC_SUBTRACT);
    EXPECT_EQ(Integer(GL_BLEND_EQUATION_ALPHA), GL_MAX);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A callback of a draw list's own that leaves the GL state its way.
void UnbindEverything(const ImDrawList*, const ImDrawCmd*) {
    glUseProgram(0);
    glBindVertexArray(0);
    glDisable(GL_BLEND);
}

TEST_F(ImGuiGlueTest, AWindowWithTextLandsOnTheFramebuffer) {
    // Plain, and with a callback followed by the request to set the
    // renderer's state again.
    for (auto callbacks : {std::initializer_list<ImDrawCallback>{},
                           std::initializer_list<ImDrawCallback>{UnbindEverything, ImDrawCallback_ResetRenderState}}) {
        SCOPED_TRACE(callbacks.size());
        ExpectTextLands(callbacks);
    }
}

void ImGuiGlueTest::ExpectTextLands(std::initializer_list<ImDrawCallback> callbacks) {
    glViewport(0, 0, 320, 240);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    Frame(callbacks);
    std::vector<unsigned char> pixels(320 * 240 * 4);
    glReadPixels(0, 0, 320, 240, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    // The window's area (10..210, 10..110 from the top) is no longer black;
    // outside it the picture is untouched.
    auto lit = [&](int x, int yFromTop) {
        const unsigned char* p = &pixels[((239 - yFromTop) * 320 + x) * 4];
        return p[0] + p[1] + p[2] > 0;
    };
    EXPECT_TRUE(lit(100, 60));
    EXPECT_FALSE(lit(300, 200));
    int textPixels = 0;
    for (int y = 30; y < 60; ++y)
        for (int x = 15; x < 60; ++x) {
            const unsigned char* p = &pixels[((239 - y) * 320 + x) * 4];
            textPixels += p[0] > 200 && p[1] > 200 && p[2] > 200;
        }
    EXPECT_GT(textPixels, 10) << "the light text of \"hello\" shows";
}

}  // namespace
