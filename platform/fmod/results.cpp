#include "platform/fmod/results.h"

#include <array>

namespace FMOD {

namespace {

constexpr const char* kReserved = "Reserved result; this back end does not produce it.";

// Results 0 to 81 have a text; the numbers this back end does not use are
// reserved so that the table keeps the width callers expect.
constexpr std::array<const char*, 82> MakeTable() {
    std::array<const char*, 82> table{};
    for (const char*& text : table) text = kReserved;
    table[kOk] = "No errors.";
    table[kErrInvalidHandle] = "The handle does not name a live sound object.";
    table[kErrInvalidParam] = "An argument was out of range or missing.";
    table[kErrNotInitialized] = "The sound system has not been initialised.";
    table[kErrAlreadyInitialized] = "The sound system is initialised already.";
    table[kErrFileNotFound] = "The file could not be opened.";
    table[kErrBankFormat] = "The file is not a sound bank this back end understands.";
    table[kErrSoundFormat] = "The sound file could not be decoded.";
    table[kErrAlreadyLoaded] = "That bank file is loaded already.";
    table[kErrPathUnknown] = "No loaded strings bank holds a path for this object.";
    table[kErrTruncated] = "The text was cut to fit the buffer.";
    table[kErrNoSampleData] = "The event's sound data is not loaded.";
    table[kErrOutput] = "No audio output could be opened.";
    table[kErrOutOfVoices] = "The output has no free voice.";
    table[kErrHeaderVersion] = "The interface version does not match this back end.";
    table[kErrFileBad] = "The file is not a regular file, or is too large to be a sound file or bank.";
    return table;
}

constexpr std::array<const char*, 82> kTable = MakeTable();

}  // namespace

const char* FMOD_ErrorString(int32_t result) {
    if (result < 0 || result >= static_cast<int32_t>(kTable.size())) return "Unknown error.";
    return kTable[result];
}

}  // namespace FMOD
