// Start-up of the audio system: the studio system, the channel groups, and
// the banks of the two list files with their buses and events.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "core/diagnostics/debug_print.h"
#include "platform/files.h"
#include "sound/audio_state.h"
#include "sound/audio_system.h"
#include "sound/sound_space.h"

namespace {

using FMOD::Studio::Bank;
using FMOD::Studio::LoadingState;

// A bank that has not loaded by then is given up.
constexpr std::chrono::seconds kBankWait{5};
constexpr size_t kBusPrefixLength = 5;  // "bus:/"

// A list file read whole, as every data file is: false when it is missing
// or no regular file (a FIFO or a device would block or never end).
bool ReadList(const char* path, std::string& text) {
    return platform::ReadRegularFile(path, text) == platform::ReadFileResult::Read;
}

// A bank name climbing out of "audio/" names no bank of the game's.
bool LeavesAudioFolder(const std::string& name) {
    for (const auto& part : std::filesystem::path(name))
        if (part == "..") return true;
    return false;
}

// The bank file paths of a list: one name per line, under "audio/"; blank
// lines and a trailing carriage return are skipped, and a last line without
// a line end counts. A name that leaves the folder is refused with a line.
std::vector<std::string> ListedFiles(const std::string& text) {
    std::vector<std::string> files;
    std::istringstream list(text);
    std::string line;
    while (std::getline(list, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        if (LeavesAudioFolder(line)) DebugPrint("bank file \"" + line + "\" is outside the audio folder; it is not loaded");
        else files.push_back("audio/" + line);
    }
    return files;
}

// Queries the state until it is loaded, updating the studio system between
// queries; false when loading failed or the wait ran out.
template <typename Query>
bool WaitLoaded(Query query, bool handled) {
    const auto deadline = std::chrono::steady_clock::now() + kBankWait;
    while (true) {
        LoadingState state = FMOD::Studio::kUnloaded;
        const FMOD::FMOD_RESULT result = query(&state);
        if (handled) audio::Handled(result);
        if (state == FMOD::Studio::kLoaded) return true;
        if (result != FMOD::kOk || state == FMOD::Studio::kLoadError || std::chrono::steady_clock::now() > deadline)
            return false;
        const FMOD::FMOD_RESULT update = audio::studioSystem.update();
        if (handled) audio::Handled(update);
    }
}

void LoadSampleBanks(const std::string& list) {
    for (const std::string& path : ListedFiles(list)) {
        Bank bank;
        if (audio::Handled(audio::studioSystem.loadBankFile(path.c_str(), 0, &bank), path) != FMOD::kOk) continue;
        audio::Handled(bank.loadSampleData());
        if (!WaitLoaded([&](LoadingState* state) { return bank.getSampleLoadingState(state); }, true)) {
            DebugPrint("couldn't load the sounds of bank " + path + ", leaving it out");
            continue;
        }
        audio::banks.push_back(bank);
    }
}

void LoadStringBanks(const std::string& list) {
    for (const std::string& path : ListedFiles(list)) {
        Bank bank;
        audio::Handled(audio::studioSystem.loadBankFile(path.c_str(), 0, &bank), path);
    }
}

std::string PathOf(const FMOD::Studio::Bus& bus) {
    char buffer[256] = {};
    bus.getPath(buffer, sizeof buffer, nullptr);
    return buffer;
}

void RecordBuses(const std::vector<FMOD::Studio::Bus>& buses) {
    for (const FMOD::Studio::Bus& bus : buses) {
        const std::string path = PathOf(bus);
        DebugPrint("bus path name" + path);
        // Without its prefix a path names no bus (a strings bank is missing).
        if (path.size() < kBusPrefixLength) continue;
        std::string name = path.substr(kBusPrefixLength);
        if (name.empty()) {
            name = "Master Bus";
        } else {
            name += " Bus";
            DebugPrint("BUS name " + name);
        }
        SoundSpace::AddBus(bus, name);
    }
}

template <typename Handle, typename Fill>
std::vector<Handle> List(int capacity, Fill fill) {
    std::vector<Handle> list(static_cast<size_t>(capacity));
    int count = 0;
    audio::Handled(fill(list.data(), capacity, &count));
    list.resize(static_cast<size_t>(count));
    return list;
}

void RecordBank(const Bank& bank, int eventCapacity, int busCapacity) {
    char path[256] = {};
    bank.getPath(path, sizeof path, nullptr);
    DebugPrint(path);
    bank.loadSampleData();
    WaitLoaded([&](LoadingState* state) { return bank.getLoadingState(state); }, false);
    const auto events = List<FMOD::Studio::EventDescription>(
        eventCapacity, [&](auto* array, int capacity, int* count) { return bank.getEventList(array, capacity, count); });
    const auto buses = List<FMOD::Studio::Bus>(
        busCapacity, [&](auto* array, int capacity, int* count) { return bank.getBusList(array, capacity, count); });
    RecordBuses(buses);
    for (const FMOD::Studio::EventDescription& event : events) audio::events.emplace_back(event, audio::studioSystem);
    std::vector<std::string> problems;
    bank.getSoundProblems(&problems);
    for (const std::string& line : problems) DebugPrint(line);
}

}  // namespace

void AudioSystem::Init() {
    audio::Handled(FMOD::Studio::System::create(&audio::studioSystem, 0x10701));
    audio::Handled(audio::studioSystem.initialize(512, 0, 0, nullptr));

    audio::Handled(audio::studioSystem.getLowLevelSystem(&audio::lowLevelSystem));
    for (const char* name : {"MasterGroup", "SoundGroup", "StreamGroup"}) {
        FMOD::ChannelGroup group;
        audio::Handled(audio::lowLevelSystem.createChannelGroup(name, &group));
    }
    SoundSpace::AddChannelGroup("Master Group");
    SoundSpace::AddChannelGroup("Music Group");
    SoundSpace::AddChannelGroup("SFX Group");

    std::string bankList;
    std::string stringList;
    const bool bankListRead = ReadList("audio/bankFiles.txt", bankList);
    const bool stringListRead = ReadList("audio/stringFiles.txt", stringList);
    if (!bankListRead) {
        std::cout << "could't open bankFiles.txt" << std::flush;
        std::exit(-1);
    }
    if (!stringListRead) {
        std::cout << "could't open stringFiles.txt" << std::flush;
        std::exit(-1);
    }
    LoadSampleBanks(bankList);
    LoadStringBanks(stringList);
    for (const Bank& bank : audio::banks) RecordBank(bank, eventCapacity, busCapacity);
}
