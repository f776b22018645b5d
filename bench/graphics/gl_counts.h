#pragma once
// Counts the GL calls a frame makes that cost the drawing thread most: draws,
// binds of textures, vertex arrays, programs and framebuffers, buffer and
// matrix uploads and blits. The loader's entry points are plain function
// pointers; counting puts a wrapper in front of each. Start counting only
// after a frame has been drawn, so that every entry point is resolved.

#include <cstdio>
#include <set>
#include <string>

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

struct GlCounts {
    long draws = 0;
    long textureBinds = 0;
    long otherBinds = 0;  // vertex arrays, programs, framebuffers
    long uploads = 0;     // buffer data and matrix uniforms
    long blits = 0;
};

namespace gl_counts_detail {

inline GlCounts counts;
inline decltype(epoxy_glDrawArrays) drawArrays;
inline decltype(epoxy_glDrawArraysInstanced) drawArraysInstanced;
inline decltype(epoxy_glBindTexture) bindTexture;
inline decltype(epoxy_glBindVertexArray) bindVertexArray;
inline decltype(epoxy_glUseProgram) useProgram;
inline decltype(epoxy_glBindFramebuffer) bindFramebuffer;
inline decltype(epoxy_glBufferData) bufferData;
inline decltype(epoxy_glUniformMatrix4fv) uniformMatrix4fv;
inline decltype(epoxy_glBlitFramebuffer) blitFramebuffer;

inline void APIENTRY DrawArrays(GLenum mode, GLint first, GLsizei count) {
    ++counts.draws;
    drawArrays(mode, first, count);
}
inline void APIENTRY DrawArraysInstanced(GLenum mode, GLint first, GLsizei count, GLsizei instances) {
    ++counts.draws;
    drawArraysInstanced(mode, first, count, instances);
}
inline void APIENTRY BindTexture(GLenum target, GLuint texture) {
    ++counts.textureBinds;
    bindTexture(target, texture);
}
inline void APIENTRY BindVertexArray(GLuint array) {
    ++counts.otherBinds;
    bindVertexArray(array);
}
inline void APIENTRY UseProgram(GLuint program) {
    ++counts.otherBinds;
    useProgram(program);
}
inline void APIENTRY BindFramebuffer(GLenum target, GLuint framebuffer) {
    ++counts.otherBinds;
    bindFramebuffer(target, framebuffer);
}
inline void APIENTRY BufferData(GLenum target, GLsizeiptr size, const void* data, GLenum usage) {
    ++counts.uploads;
    bufferData(target, size, data, usage);
}
inline void APIENTRY UniformMatrix4fv(GLint location, GLsizei count, GLboolean transpose, const GLfloat* value) {
    ++counts.uploads;
    uniformMatrix4fv(location, count, transpose, value);
}
inline void APIENTRY BlitFramebuffer(GLint a, GLint b, GLint c, GLint d, GLint e, GLint f, GLint g, GLint h,
                                     GLbitfield mask, GLenum filter) {
    ++counts.blits;
    blitFramebuffer(a, b, c, d, e, f, g, h, mask, filter);
}

template <typename Pointer>
void Wrap(Pointer& entry, Pointer& saved, Pointer wrapper) {
    if (entry == wrapper) return;
    saved = entry;
    entry = wrapper;
}

}  // namespace gl_counts_detail

// The calls `frame` makes.
template <typename Frame>
GlCounts CountGlCalls(Frame frame) {
    using namespace gl_counts_detail;
    Wrap(epoxy_glDrawArrays, drawArrays, &DrawArrays);
    Wrap(epoxy_glDrawArraysInstanced, drawArraysInstanced, &DrawArraysInstanced);
    Wrap(epoxy_glBindTexture, bindTexture, &BindTexture);
    Wrap(epoxy_glBindVertexArray, bindVertexArray, &BindVertexArray);
    Wrap(epoxy_glUseProgram, useProgram, &UseProgram);
    Wrap(epoxy_glBindFramebuffer, bindFramebuffer, &BindFramebuffer);
    Wrap(epoxy_glBufferData, bufferData, &BufferData);
    Wrap(epoxy_glUniformMatrix4fv, uniformMatrix4fv, &UniformMatrix4fv);
    Wrap(epoxy_glBlitFramebuffer, blitFramebuffer, &BlitFramebuffer);
    counts = GlCounts{};
    frame();
    const GlCounts result = counts;
    epoxy_glDrawArrays = drawArrays;
    epoxy_glDrawArraysInstanced = drawArraysInstanced;
    epoxy_glBindTexture = bindTexture;
    epoxy_glBindVertexArray = bindVertexArray;
    epoxy_glUseProgram = useProgram;
    epoxy_glBindFramebuffer = bindFramebuffer;
    epoxy_glBufferData = bufferData;
    epoxy_glUniformMatrix4fv = uniformMatrix4fv;
    epoxy_glBlitFramebuffer = blitFramebuffer;
    return result;
}

// Adds the counts of one `frame` to the benchmark's counters and, once per
// benchmark, prints them on standard error beside the benchmark's name.
template <typename Frame>
void ReportGlCalls(benchmark::State& state, const std::string& name, Frame frame) {
    const GlCounts counts = CountGlCalls(frame);
    state.counters["draws"] = static_cast<double>(counts.draws);
    state.counters["texture_binds"] = static_cast<double>(counts.textureBinds);
    state.counters["other_binds"] = static_cast<double>(counts.otherBinds);
    static std::set<std::string> reported;
    if (!reported.insert(name).second) return;
    std::fprintf(stderr, "%-40s per frame: %ld draws, %ld texture binds, %ld other binds, %ld uploads, %ld blits\n",
                 name.c_str(), counts.draws, counts.textureBinds, counts.otherBinds, counts.uploads, counts.blits);
}
