// The one program of the back end: pixel coordinates in, premultiplied colour
// out, with the antialiasing fringe computed from the stroke's u and v.

#include <cstdio>

#include "vector/gl3/gl3_context.h"

namespace {

const char* kHeader = "#version 150 core\n#define VECTOR_GL3 1\n#define USE_UNIFORMBUFFER 1\n\n";
const char* kEdgeAntiAlias = "#define EDGE_AA 1\n";

const char* kVertexShader = R"(
uniform vec2 viewSize;
in vec2 vertex;
in vec2 tcoord;
out vec2 ftcoord;
out vec2 fpos;

void main(void) {
    ftcoord = tcoord;
    fpos = vertex;
    gl_Position = vec4(2.0 * vertex.x / viewSize.x - 1.0, 1.0 - 2.0 * vertex.y / viewSize.y, 0, 1);
}
)";

const char* kFragmentShader = R"(
layout(std140) uniform frag {
    mat3 scissorMat;
    mat3 paintMat;
    vec4 innerCol;
    vec4 outerCol;
    vec2 scissorExt;
    vec2 scissorScale;
    vec2 extent;
    float radius;
    float feather;
    float strokeMult;
    float strokeThr;
    int texType;
    int type;
};
uniform sampler2D tex;
in vec2 ftcoord;
in vec2 fpos;
out vec4 outColor;

float sdroundrect(vec2 pt, vec2 ext, float rad) {
    vec2 ext2 = ext - vec2(rad, rad);
    vec2 d = abs(pt) - ext2;
    return min(max(d.x, d.y), 0.0) + length(max(d, 0.0)) - rad;
}

float scissorMask(vec2 p) {
    vec2 sc = abs((scissorMat * vec3(p, 1.0)).xy) - scissorExt;
    sc = vec2(0.5, 0.5) - sc * scissorScale;
    return clamp(sc.x, 0.0, 1.0) * clamp(sc.y, 0.0, 1.0);
}

float strokeMask() {
#ifdef EDGE_AA
    return min(1.0, (1.0 - abs(ftcoord.x * 2.0 - 1.0)) * strokeMult) * min(1.0, ftcoord.y);
#else
    return 1.0;
#endif
}

vec4 texel(vec2 at) {
    vec4 color = texture(tex, at);
    if (texType == 1) color = vec4(color.xyz * color.w, color.w);
    if (texType == 2) color = vec4(color.x);
    return color;
}

void main(void) {
    float scissor = scissorMask(fpos);
    float strokeAlpha = strokeMask();
#ifdef EDGE_AA
    if (strokeAlpha < strokeThr) discard;
#endif
    vec4 result;
    if (type == 0) {
        vec2 pt = (paintMat * vec3(fpos, 1.0)).xy;
        float d = clamp((sdroundrect(pt, extent, radius) + feather * 0.5) / feather, 0.0, 1.0);
        result = mix(innerCol, outerCol, d) * strokeAlpha * scissor;
    } else if (type == 1) {
        vec2 pt = (paintMat * vec3(fpos, 1.0)).xy / extent;
        result = texel(pt) * innerCol * strokeAlpha * scissor;
    } else if (type == 2) {
        result = vec4(1, 1, 1, 1);
    } else {
        result = texel(ftcoord) * scissor * innerCol;
    }
    outColor = result;
}
)";

// The info log of a shader or program, cut at 512 bytes.
struct InfoLog {
    GLchar text[512 + 1];
    InfoLog(PFNGLGETSHADERINFOLOGPROC getLog, GLuint object) {
        GLsizei len = 0;
        getLog(object, 512, &len, text);
        text[len > 512 ? 512 : len] = '\0';
    }
};

bool Compile(GLuint shader, const char* options, const char* body, const char* name, const char* type) {
    const char* sources[3] = {kHeader, options, body};
    glShaderSource(shader, 3, sources, nullptr);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE) return true;
    std::printf("Shader %s/%s error:\n%s\n", name, type, InfoLog(glGetShaderInfoLog, shader).text);
    return false;
}

}  // namespace

// The objects are kept as they are made, so that glvd__deleteShader cleans up
// after a failure too.
bool glvd__createShader(GLVDshader* shader, const char* name, bool edgeAntiAlias) {
    const char* options = edgeAntiAlias ? kEdgeAntiAlias : "";
    shader->prog = glCreateProgram();
    shader->vert = glCreateShader(GL_VERTEX_SHADER);
    shader->frag = glCreateShader(GL_FRAGMENT_SHADER);

    if (!Compile(shader->vert, options, kVertexShader, name, "vert") ||
        !Compile(shader->frag, options, kFragmentShader, name, "frag"))
        return false;
    glAttachShader(shader->prog, shader->vert);
    glAttachShader(shader->prog, shader->frag);
    glBindAttribLocation(shader->prog, 0, "vertex");
    glBindAttribLocation(shader->prog, 1, "tcoord");
    glLinkProgram(shader->prog);
    GLint status = GL_FALSE;
    glGetProgramiv(shader->prog, GL_LINK_STATUS, &status);
    if (status != GL_TRUE) {
        std::printf("Program %s error:\n%s\n", name, InfoLog(glGetProgramInfoLog, shader->prog).text);
        return false;
    }
    return true;
}

void glvd__deleteShader(GLVDshader* shader) {
    glDeleteProgram(shader->prog);
    glDeleteShader(shader->vert);
    glDeleteShader(shader->frag);
    *shader = GLVDshader{};
}
