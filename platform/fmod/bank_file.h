#pragma once
// Private to the back end: reading a bank file into the world.
//
// A bank file is one JSON object; every member is optional:
//   "bank":    the bank's own id (its path comes from a strings bank)
//   "buses":   [{"id": text, "parent": id of the parent bus, absent for a root}]
//   "events":  [{"id": text, "bus": bus id, "sound": file beside the bank,
//                "loop": bool, "fadeOut": seconds, "minDistance": units,
//                "maxDistance": units}]
//   "strings": {id: path}, the paths of the objects of every bank
// A bus id met before (in another bank) names the same bus.

#include <cstdint>
#include <string>

#include "platform/fmod/results.h"

namespace FMOD::detail {

// Adds the bank's objects to the world; on failure adds nothing.
FMOD_RESULT LoadBankFile(const std::string& file, uint64_t* bank);

}  // namespace FMOD::detail
