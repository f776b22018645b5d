#pragma once
// Results of the sound back end. 0 is success; every other value names one
// way a call can fail. The calls never throw.

#include <cstdint>

namespace FMOD {

enum FMOD_RESULT : int32_t {
    kOk = 0,
    kErrInvalidHandle = 1,     // the handle names nothing, or something already gone
    kErrInvalidParam = 2,      // an argument is out of range or a pointer is null
    kErrNotInitialized = 3,    // the studio system is not initialised yet
    kErrAlreadyInitialized = 4,
    kErrFileNotFound = 5,      // a bank or sound file could not be opened
    kErrBankFormat = 6,        // a bank file is not a bank of ours
    kErrSoundFormat = 7,       // a sound file could not be decoded
    kErrAlreadyLoaded = 8,     // the bank file is loaded already
    kErrPathUnknown = 9,       // no loaded strings bank names the object
    kErrTruncated = 10,        // the text did not fit the buffer and was cut
    kErrNoSampleData = 11,     // the event's sound never loaded
    kErrOutput = 12,           // no output device and no loopback device
    kErrOutOfVoices = 13,      // the output could not give another voice
    kErrHeaderVersion = 14,    // the caller was built for another interface version
    kErrFileBad = 15,          // a bank or sound file is no regular file, or too large
};

// The text for a result; "Unknown error." for numbers outside the table.
const char* FMOD_ErrorString(int32_t result);

}  // namespace FMOD
