#include "platform/fmod/data_file.h"

#include "platform/files.h"

namespace FMOD::detail {

FMOD_RESULT ReadDataFile(const std::string& file, std::string& contents) {
    switch (platform::ReadRegularFile(file, contents)) {
        case platform::ReadFileResult::Read: return kOk;
        case platform::ReadFileResult::Missing:
        case platform::ReadFileResult::Failed: return kErrFileNotFound;
        case platform::ReadFileResult::NotAFile:
        case platform::ReadFileResult::TooLarge: break;
    }
    return kErrFileBad;
}

}  // namespace FMOD::detail
