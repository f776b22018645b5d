// A sound bank file from outside bytes, as the back end reads it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/fmod/bank_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FMOD::detail::ParsedBank bank;
    FMOD::detail::ParseBank(std::string(reinterpret_cast<const char*>(data), size), "audio", bank);
    return 0;
}
