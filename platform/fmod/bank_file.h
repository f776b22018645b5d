#pragma once
// Private to the back end: reading a bank file into the world.
//
// A bank file is one JSON object; every member is optional:
//   "bank":    the bank's own id (its path comes from a strings bank)
//   "buses":   [{"id": text, "parent": id of the parent bus, absent for a root}]
//   "events":  [{"id": text, "bus": bus id, "sound": file beside the bank
//                (or below its folder; a name climbing out is never read),
//                "loop": bool, "fadeOut": seconds, "minDistance": units,
//                "maxDistance": units}]
//   "strings": {id: path}, the paths of the objects of every bank
// A bus id met before (in another bank) names the same bus. An event
// without a sound is silent; one whose sound cannot be used (a name leading
// out of the folder, a file that does not decode) is silent too, and the
// bank's other events play.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/fmod/results.h"
#include "platform/fmod/world.h"

namespace FMOD::detail {

struct ParsedBank {
    std::string key;
    std::vector<BusData> buses;
    std::vector<DescriptionData> events;
    std::vector<std::pair<std::string, std::string>> strings;
};

// Reads a bank file's text; sound files are taken relative to folder.
FMOD_RESULT ParseBank(const std::string& text, const std::string& folder, ParsedBank& bank);

// Adds the bank's objects to the world; on failure adds nothing.
FMOD_RESULT LoadBankFile(const std::string& file, uint64_t* bank);

}  // namespace FMOD::detail
