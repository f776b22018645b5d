#include "platform/fmod/bank_file.h"

#include <cmath>
#include <exception>
#include <filesystem>
#include <sstream>
#include <vector>

#include <json/reader.h>
#include <json/value.h>

#include "platform/fmod/data_file.h"
#include "platform/fmod/world.h"

namespace FMOD::detail {

namespace {

bool OptionalText(const Json::Value& object, const char* key, std::string& out) {
    const Json::Value& value = object[key];
    if (value.isNull()) return true;
    if (!value.isString()) return false;
    out = value.asString();
    return true;
}

bool OptionalNumber(const Json::Value& object, const char* key, float& out) {
    const Json::Value& value = object[key];
    if (value.isNull()) return true;
    if (!value.isNumeric()) return false;
    out = value.asFloat();
    return std::isfinite(out) && out >= 0.0f;
}

bool ReadBus(const Json::Value& json, BusData& bus) {
    return json.isObject() && json["id"].isString() && OptionalText(json, "id", bus.key) && !bus.key.empty() &&
           OptionalText(json, "parent", bus.parentKey);
}

// A sound is a file beside the bank or below its folder, never elsewhere.
bool StaysBesideTheBank(const std::string& sound) {
    const std::filesystem::path path(sound);
    if (path.is_absolute()) return false;
    for (const auto& part : path)
        if (part == "..") return false;
    return true;
}

bool ReadEvent(const Json::Value& json, const std::string& folder, DescriptionData& event) {
    std::string sound;
    if (!json.isObject() || !json["id"].isString() || !OptionalText(json, "id", event.key) || event.key.empty() ||
        !OptionalText(json, "bus", event.busKey) || !OptionalText(json, "sound", sound) ||
        !OptionalNumber(json, "fadeOut", event.fadeOut) || !OptionalNumber(json, "minDistance", event.minDistance) ||
        !OptionalNumber(json, "maxDistance", event.maxDistance))
        return false;
    if (!json["loop"].isNull() && !json["loop"].isBool()) return false;
    event.loop = json["loop"].asBool();
    event.soundFile = sound.empty() ? std::string() : (std::filesystem::path(folder) / sound).string();
    // Named, never read: one bad name costs its event's sound, not the bank.
    if (!StaysBesideTheBank(sound)) event.soundProblem = "its name leads out of the bank's folder";
    return true;
}

}  // namespace

FMOD_RESULT ParseBank(const std::string& text, const std::string& folder, ParsedBank& bank) {
    Json::Value root;
    Json::CharReaderBuilder builder;
    std::string errors;
    std::istringstream in(text);
    try {
        if (!Json::parseFromStream(builder, in, &root, &errors) || !root.isObject()) return kErrBankFormat;
    } catch (const std::exception&) {
        return kErrBankFormat;  // the reader throws on nesting too deep for it
    }
    const Json::Value& buses = root["buses"];
    const Json::Value& events = root["events"];
    const Json::Value& strings = root["strings"];
    if (!OptionalText(root, "bank", bank.key) || !(buses.isNull() || buses.isArray()) ||
        !(events.isNull() || events.isArray()) || !(strings.isNull() || strings.isObject()))
        return kErrBankFormat;
    bank.buses.resize(buses.size());
    for (Json::ArrayIndex i = 0; i < buses.size(); ++i)
        if (!ReadBus(buses[i], bank.buses[i])) return kErrBankFormat;
    bank.events.resize(events.size());
    for (Json::ArrayIndex i = 0; i < events.size(); ++i)
        if (!ReadEvent(events[i], folder, bank.events[i])) return kErrBankFormat;
    for (const std::string& key : strings.getMemberNames()) {
        if (!strings[key].isString()) return kErrBankFormat;
        bank.strings.emplace_back(key, strings[key].asString());
    }
    return kOk;
}

FMOD_RESULT LoadBankFile(const std::string& file, uint64_t* bank) {
    World& world = TheWorld();
    for (const auto& entry : world.banks)
        if (entry.second.file == file) return kErrAlreadyLoaded;
    std::string text;
    const FMOD_RESULT read = ReadDataFile(file, text);
    if (read != kOk) return read;
    ParsedBank parsed;
    const FMOD_RESULT result = ParseBank(text, std::filesystem::path(file).parent_path().string(), parsed);
    if (result != kOk) return result;

    BankData data;
    data.file = file;
    data.key = parsed.key;
    for (const BusData& bus : parsed.buses) {
        auto known = world.busByKey.find(bus.key);
        uint64_t id = known == world.busByKey.end() ? 0 : known->second;
        if (!id) {
            id = world.NewId();
            world.buses.emplace(id, bus);
            world.busByKey.emplace(bus.key, id);
        }
        data.buses.push_back(id);
    }
    for (const DescriptionData& event : parsed.events) {
        const uint64_t id = world.NewId();
        world.descriptions.emplace(id, event);
        data.events.push_back(id);
    }
    for (const auto& [key, path] : parsed.strings) world.paths[key] = path;
    *bank = world.NewId();
    world.banks.emplace(*bank, std::move(data));
    return kOk;
}

}  // namespace FMOD::detail
