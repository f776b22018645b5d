#include "platform/fmod/bank_file.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include <json/reader.h>
#include <json/value.h>

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
    return out >= 0.0f;
}

bool ReadBus(const Json::Value& json, BusData& bus) {
    return json.isObject() && json["id"].isString() && OptionalText(json, "id", bus.key) && !bus.key.empty() &&
           OptionalText(json, "parent", bus.parentKey);
}

bool ReadEvent(const Json::Value& json, const std::filesystem::path& folder, DescriptionData& event) {
    std::string sound;
    if (!json.isObject() || !json["id"].isString() || !OptionalText(json, "id", event.key) || event.key.empty() ||
        !OptionalText(json, "bus", event.busKey) || !OptionalText(json, "sound", sound) ||
        !OptionalNumber(json, "fadeOut", event.fadeOut) || !OptionalNumber(json, "minDistance", event.minDistance) ||
        !OptionalNumber(json, "maxDistance", event.maxDistance))
        return false;
    if (!json["loop"].isNull() && !json["loop"].isBool()) return false;
    event.loop = json["loop"].asBool();
    event.soundFile = sound.empty() ? std::string() : (folder / sound).string();
    return true;
}

bool ParseFile(const std::string& file, Json::Value& root, FMOD_RESULT& result) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        result = kErrFileNotFound;
        return false;
    }
    Json::CharReaderBuilder builder;
    std::string errors;
    if (!Json::parseFromStream(builder, in, &root, &errors) || !root.isObject()) {
        result = kErrBankFormat;
        return false;
    }
    return true;
}

}  // namespace

FMOD_RESULT LoadBankFile(const std::string& file, uint64_t* bank) {
    World& world = TheWorld();
    for (const auto& entry : world.banks)
        if (entry.second.file == file) return kErrAlreadyLoaded;
    Json::Value root;
    FMOD_RESULT result = kOk;
    if (!ParseFile(file, root, result)) return result;

    // Everything is checked before the world changes.
    BankData data;
    data.file = file;
    const Json::Value& buses = root["buses"];
    const Json::Value& events = root["events"];
    const Json::Value& strings = root["strings"];
    if (!OptionalText(root, "bank", data.key) || !(buses.isNull() || buses.isArray()) ||
        !(events.isNull() || events.isArray()) || !(strings.isNull() || strings.isObject()))
        return kErrBankFormat;
    std::vector<BusData> busList(buses.size());
    for (Json::ArrayIndex i = 0; i < buses.size(); ++i)
        if (!ReadBus(buses[i], busList[i])) return kErrBankFormat;
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    std::vector<DescriptionData> eventList(events.size());
    for (Json::ArrayIndex i = 0; i < events.size(); ++i)
        if (!ReadEvent(events[i], folder, eventList[i])) return kErrBankFormat;
    for (const std::string& key : strings.getMemberNames())
        if (!strings[key].isString()) return kErrBankFormat;

    for (const BusData& bus : busList) {
        auto known = world.busByKey.find(bus.key);
        uint64_t id = known == world.busByKey.end() ? 0 : known->second;
        if (!id) {
            id = world.NewId();
            world.buses.emplace(id, bus);
            world.busByKey.emplace(bus.key, id);
        }
        data.buses.push_back(id);
    }
    for (const DescriptionData& event : eventList) {
        const uint64_t id = world.NewId();
        world.descriptions.emplace(id, event);
        data.events.push_back(id);
    }
    for (const std::string& key : strings.getMemberNames()) world.paths[key] = strings[key].asString();
    *bank = world.NewId();
    world.banks.emplace(*bank, std::move(data));
    return kOk;
}

}  // namespace FMOD::detail
