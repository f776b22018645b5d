#include "core/save/json_file.h"

#include <cstdio>

#include "core/diagnostics/debug_print.h"
#include "core/json/json_text.h"
#include "core/save/replace_file.h"
#include "platform/files.h"

JsonFileRead ReadJsonFile(const std::string& path, Json::Value& document, std::string& problem) {
    std::string text;
    switch (platform::ReadRegularFile(path, text)) {
        case platform::ReadFileResult::Read:
            break;
        case platform::ReadFileResult::Missing:
            problem = "It does not exist.";
            return JsonFileRead::Absent;
        case platform::ReadFileResult::Failed:
            problem = "It cannot be opened.";
            return JsonFileRead::Absent;
        case platform::ReadFileResult::NotAFile:
            problem = "It is not a plain file.";
            return JsonFileRead::Absent;
        case platform::ReadFileResult::TooLarge:
            problem = "It is larger than " + std::to_string(platform::kMaxReadBytes >> 20) + " MB.";
            return JsonFileRead::Damaged;
    }
    return ParseJsonText(text, document, problem) ? JsonFileRead::Read : JsonFileRead::Damaged;
}

namespace {

// The reader's report spans lines; the log keeps one line per event.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\n') c = ' ';
        if (c == ' ' && (line.empty() || line.back() == ' ')) continue;
        line += c;
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

}  // namespace

void SetAsideDamaged(const std::string& path, const std::string& problem) {
    const std::string aside = path + ".damaged";
    const bool moved = std::rename(path.c_str(), aside.c_str()) == 0;
    DebugPrint("\"" + path + "\" is damaged" + (moved ? ", set aside as \"" + aside + "\"" : "") + ": " + OneLine(problem));
}

bool ReadSaveFolderFile(const std::string& path, Json::Value& document) {
    std::string problem;
    const JsonFileRead read = ReadJsonFile(path, document, problem);
    if (read == JsonFileRead::Damaged) SetAsideDamaged(path, problem);
    return read == JsonFileRead::Read;
}

bool WriteJsonFile(const std::string& path, const Json::Value& document) {
    return ReplaceFile(path, FormatJsonText(document));
}
