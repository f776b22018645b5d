#include "tests/vector/recording_backend.h"

namespace vector_testing {

namespace {

RecordingBackend& Of(void* uptr) {
    return *static_cast<RecordingBackend*>(uptr);
}

}  // namespace

VDparams RecordingBackend::Params(bool edgeAntiAlias) {
    VDparams params{};
    params.userPtr = this;
    params.edgeAntiAlias = edgeAntiAlias;
    params.renderCreate = [](void* uptr) {
        Of(uptr).calls.push_back("create");
        return Of(uptr).failCreate ? 0 : 1;
    };
    params.renderCreateTexture = [](void* uptr, int type, int w, int h, int flags, const unsigned char* data) {
        Of(uptr).calls.push_back("texture " + std::to_string(type) + " " + std::to_string(w) + "x" +
                                 std::to_string(h) + " " + std::to_string(flags) + (data ? " data" : " null"));
        return Of(uptr).failTexture ? 0 : 7;
    };
    params.renderDeleteTexture = [](void* uptr, int image) {
        Of(uptr).calls.push_back("delete texture " + std::to_string(image));
        return 1;
    };
    params.renderViewport = [](void* uptr, float w, float h) {
        Of(uptr).calls.push_back("viewport " + std::to_string(int(w)) + "x" + std::to_string(int(h)));
    };
    params.renderCancel = [](void* uptr) { Of(uptr).calls.push_back("cancel"); };
    params.renderFlush = [](void* uptr) { Of(uptr).calls.push_back("flush"); };
    params.renderStroke = [](void* uptr, const VDpaint* paint, float fringe, float strokeWidth, const VDpath* paths,
                             int npaths) {
        Of(uptr).calls.push_back("stroke");
        RecordedStroke stroke{*paint, fringe, strokeWidth, {}};
        for (int i = 0; i < npaths; i++)
            stroke.paths.push_back({paths[i].closed != 0, {paths[i].stroke, paths[i].stroke + paths[i].nstroke}});
        Of(uptr).strokes.push_back(stroke);
    };
    params.renderDelete = [](void* uptr) { Of(uptr).calls.push_back("delete"); };
    return params;
}

}  // namespace vector_testing
