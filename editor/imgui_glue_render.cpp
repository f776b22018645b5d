#include <cstddef>

#include <imgui.h>

#include "editor/imgui_glue.h"
#include "editor/imgui_glue_state.h"

namespace ImGuiGlue {
namespace {

const char* const kVertexSource = R"(#version 330
uniform mat4 ProjMtx;
in vec2 Position;
in vec2 UV;
in vec4 Color;
out vec2 Frag_UV;
out vec4 Frag_Color;
void main() {
    Frag_UV = UV;
    Frag_Color = Color;
    gl_Position = ProjMtx * vec4(Position.xy, 0, 1);
}
)";

const char* const kFragmentSource = R"(#version 330
uniform sampler2D Texture;
in vec2 Frag_UV;
in vec4 Frag_Color;
out vec4 Out_Color;
void main() {
    Out_Color = Frag_Color * texture(Texture, Frag_UV.st);
}
)";

GLuint Compile(GLenum type, const char* source) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

GLint Get(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

void SetEnabled(GLenum capability, bool enabled) {
    if (enabled)
        glEnable(capability);
    else
        glDisable(capability);
}

// Everything RenderDrawLists changes, as it was before.
struct saved_gl_state {
    GLint program = Get(GL_CURRENT_PROGRAM);
    GLint texture = Get(GL_TEXTURE_BINDING_2D);
    GLint arrayBuffer = Get(GL_ARRAY_BUFFER_BINDING);
    GLint elementBuffer = Get(GL_ELEMENT_ARRAY_BUFFER_BINDING);
    GLint vertexArray = Get(GL_VERTEX_ARRAY_BINDING);
    GLint activeTexture = Get(GL_ACTIVE_TEXTURE);
    GLint blendSrcRgb = Get(GL_BLEND_SRC_RGB), blendDstRgb = Get(GL_BLEND_DST_RGB);
    GLint blendSrcAlpha = Get(GL_BLEND_SRC_ALPHA), blendDstAlpha = Get(GL_BLEND_DST_ALPHA);
    GLint equationRgb = Get(GL_BLEND_EQUATION_RGB), equationAlpha = Get(GL_BLEND_EQUATION_ALPHA);
    GLint scissorBox[4] = {0, 0, 0, 0};
    bool blend = glIsEnabled(GL_BLEND), cullFace = glIsEnabled(GL_CULL_FACE);
    bool depthTest = glIsEnabled(GL_DEPTH_TEST), scissorTest = glIsEnabled(GL_SCISSOR_TEST);

    saved_gl_state() { glGetIntegerv(GL_SCISSOR_BOX, scissorBox); }

    void Restore() const {
        glUseProgram(program);
        glActiveTexture(activeTexture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glBindVertexArray(vertexArray);
        glBindBuffer(GL_ARRAY_BUFFER, arrayBuffer);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, elementBuffer);
        glBlendEquationSeparate(equationRgb, equationAlpha);
        glBlendFuncSeparate(blendSrcRgb, blendDstRgb, blendSrcAlpha, blendDstAlpha);
        SetEnabled(GL_BLEND, blend);
        SetEnabled(GL_CULL_FACE, cullFace);
        SetEnabled(GL_DEPTH_TEST, depthTest);
        SetEnabled(GL_SCISSOR_TEST, scissorTest);
        glScissor(scissorBox[0], scissorBox[1], scissorBox[2], scissorBox[3]);
    }
};

}  // namespace

void CreateDeviceObjects() {
    glue_state& state = State();
    const GLint texture = Get(GL_TEXTURE_BINDING_2D);
    const GLint arrayBuffer = Get(GL_ARRAY_BUFFER_BINDING);
    const GLint vertexArray = Get(GL_VERTEX_ARRAY_BINDING);

    state.program = glCreateProgram();
    state.vertexShader = Compile(GL_VERTEX_SHADER, kVertexSource);
    state.fragmentShader = Compile(GL_FRAGMENT_SHADER, kFragmentSource);
    glAttachShader(state.program, state.vertexShader);
    glAttachShader(state.program, state.fragmentShader);
    glLinkProgram(state.program);
    state.textureLocation = glGetUniformLocation(state.program, "Texture");
    state.projectionLocation = glGetUniformLocation(state.program, "ProjMtx");
    state.positionLocation = glGetAttribLocation(state.program, "Position");
    state.uvLocation = glGetAttribLocation(state.program, "UV");
    state.colorLocation = glGetAttribLocation(state.program, "Color");

    glGenBuffers(1, &state.vertexBuffer);
    glGenBuffers(1, &state.indexBuffer);
    glGenVertexArrays(1, &state.vertexArray);
    glBindVertexArray(state.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, state.vertexBuffer);
    // A failed link leaves the locations at -1; skip those attributes.
    const auto attribute = [](GLint location, GLint size, GLenum type, GLboolean normalised, size_t offset) {
        if (location < 0) return;
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, size, type, normalised, sizeof(ImDrawVert),
                              reinterpret_cast<const void*>(offset));
    };
    attribute(state.positionLocation, 2, GL_FLOAT, GL_FALSE, offsetof(ImDrawVert, pos));
    attribute(state.uvLocation, 2, GL_FLOAT, GL_FALSE, offsetof(ImDrawVert, uv));
    attribute(state.colorLocation, 4, GL_UNSIGNED_BYTE, GL_TRUE, offsetof(ImDrawVert, col));

    CreateFontsTexture();

    glBindTexture(GL_TEXTURE_2D, texture);
    glBindBuffer(GL_ARRAY_BUFFER, arrayBuffer);
    glBindVertexArray(vertexArray);
}

void CreateFontsTexture() {
    ImGuiIO& io = ImGui::GetIO();
    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
    glue_state& state = State();
    glGenTextures(1, &state.fontTexture);
    glBindTexture(GL_TEXTURE_2D, state.fontTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    io.Fonts->SetTexID(reinterpret_cast<ImTextureID>(static_cast<intptr_t>(state.fontTexture)));
    io.Fonts->ClearTexData();
}

namespace {

// The state every draw command expects; set again when a draw list asks for
// it after a callback of its own.
void SetUpRenderState(const ImGuiIO& io) {
    const glue_state& state = State();
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_SCISSOR_TEST);
    glActiveTexture(GL_TEXTURE0);

    const float w = io.DisplaySize.x, h = io.DisplaySize.y;
    const float projection[4][4] = {
        {2.0f / w, 0.0f, 0.0f, 0.0f},
        {0.0f, -2.0f / h, 0.0f, 0.0f},
        {0.0f, 0.0f, -1.0f, 0.0f},
        {-1.0f, 1.0f, 0.0f, 1.0f},
    };
    glUseProgram(state.program);
    glUniform1i(state.textureLocation, 0);
    glUniformMatrix4fv(state.projectionLocation, 1, GL_FALSE, &projection[0][0]);
    glBindVertexArray(state.vertexArray);
}

}  // namespace

void RenderDrawLists(ImDrawData* drawData) {
    const ImGuiIO& io = ImGui::GetIO();
    const float fbHeight = io.DisplaySize.y * io.DisplayFramebufferScale.y;
    if (!drawData || fbHeight <= 0.0f) return;
    const saved_gl_state saved;
    const glue_state& state = State();

    drawData->ScaleClipRects(io.DisplayFramebufferScale);
    SetUpRenderState(io);

    for (int n = 0; n < drawData->CmdListsCount; ++n) {
        const ImDrawList* list = drawData->CmdLists[n];
        glBindBuffer(GL_ARRAY_BUFFER, state.vertexBuffer);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(list->VtxBuffer.Size) * sizeof(ImDrawVert),
                     list->VtxBuffer.Data, GL_STREAM_DRAW);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, state.indexBuffer);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(list->IdxBuffer.Size) * sizeof(ImDrawIdx),
                     list->IdxBuffer.Data, GL_STREAM_DRAW);
        size_t indexOffset = 0;
        for (const ImDrawCmd& command : list->CmdBuffer) {
            if (command.UserCallback == ImDrawCallback_ResetRenderState) {
                SetUpRenderState(io);
            } else if (command.UserCallback) {
                command.UserCallback(list, &command);
            } else {
                glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(reinterpret_cast<intptr_t>(command.TextureId)));
                const ImVec4& clip = command.ClipRect;
                glScissor(static_cast<int>(clip.x), static_cast<int>(fbHeight - clip.w),
                          static_cast<int>(clip.z - clip.x), static_cast<int>(clip.w - clip.y));
                glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(command.ElemCount),
                               sizeof(ImDrawIdx) == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                               reinterpret_cast<const void*>(indexOffset * sizeof(ImDrawIdx)));
            }
            indexOffset += command.ElemCount;
        }
    }
    saved.Restore();
}

void Shutdown() {
    glue_state& state = State();
    if (state.vertexArray) glDeleteVertexArrays(1, &state.vertexArray);
    if (state.vertexBuffer) glDeleteBuffers(1, &state.vertexBuffer);
    if (state.indexBuffer) glDeleteBuffers(1, &state.indexBuffer);
    state.vertexArray = state.vertexBuffer = state.indexBuffer = 0;
    if (state.program) {
        glDetachShader(state.program, state.vertexShader);
        glDetachShader(state.program, state.fragmentShader);
    }
    glDeleteShader(state.vertexShader);
    glDeleteShader(state.fragmentShader);
    glDeleteProgram(state.program);
    state.vertexShader = state.fragmentShader = state.program = 0;
    if (state.fontTexture) {
        glDeleteTextures(1, &state.fontTexture);
        ImGui::GetIO().Fonts->SetTexID(nullptr);
        state.fontTexture = 0;
    }
    ImGui::DestroyContext();
}

}  // namespace ImGuiGlue
