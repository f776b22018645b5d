#include "platform/fmod/loopback.h"

#include "platform/fmod/world.h"

namespace FMOD::Loopback {

bool Active() { return detail::TheWorld().output.IsLoopback(); }

std::vector<float> TakeSamples() { return detail::TheWorld().output.TakeCapture(); }

}  // namespace FMOD::Loopback
