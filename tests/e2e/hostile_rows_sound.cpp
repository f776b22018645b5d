// Sound storage files, bank lists and sounds that a modder, a careless designer or a damaged disk could produce.
#include "tests/e2e/hostile_files.h"
#include "tests/support/wave_bytes.h"

#include <stdexcept>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

fs::path Audio(const HostileRun& run) { return run.game.game.path() / "audio"; }

void WriteSaved(HostileRun& run, const std::string& text) {
    run.game.home.Write("Documents/Quillmere/SoundStorage.json", text);
}

void WriteShipped(HostileRun& run, const std::string& text) { run.game.game.Write("audio/SoundStorage.json", text); }

void Fifo(const fs::path& path) {
    fs::remove(path);
    if (mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo " + path.string());
}

// Adds a name to a bank list, ahead of the shipped banks.
void List(HostileRun& run, const std::string& list, const std::string& name) {
    const std::string file = "audio/" + list;
    run.game.game.Write(file, name + "\n" + run.game.game.Read(file));
}

std::function<void(HostileRun&)> ListFifo(const std::string& list) {
    return [list](HostileRun& run) {
        Fifo(Audio(run) / "fifo.bank");
        List(run, list, "fifo.bank");
    };
}

std::function<void(HostileRun&)> ListDevZero(const std::string& list) {
    return [list](HostileRun& run) {
        fs::create_symlink("/dev/zero", Audio(run) / "zero.bank");
        List(run, list, "zero.bank");
    };
}

std::function<void(HostileRun&)> ListClimbingToDevZero(const std::string& list) {
    return [list](HostileRun& run) { List(run, list, HostileRun::Relative("/dev/zero", Audio(run))); };
}

const std::string kStorageSetAside = "SoundStorage.json\" is damaged, set aside as \"";
const std::string kNoCues = "No sound cues: \"Audio/SoundStorage.json\" ";
std::string NotAFile(const std::string& bank) {
    return "error15 audio/" + bank + ": The file is not a regular file, or is too large to be a sound file or bank.";
}

// The hover sound replaced: only its event is left out, with a line saying why.
std::function<void(HostileRun&)> Hover(const std::string& bytes) {
    return [bytes](HostileRun& run) { run.game.game.Write("audio/hover.wav", bytes); };
}

const std::string kHoverLeftOut = "bank audio/Master.bank, event event:/SFX/Hover: the sound audio/hover.wav is left out "
                                  "because ";
const std::string kDeep = std::string(100000, '[') + std::string(100000, ']');

}  // namespace

std::vector<HostileRow> SoundRows() {
    return {
        {"SavedSoundStorageEmpty", [](HostileRun& run) { WriteSaved(run, ""); }, kStorageSetAside,
         "SoundStorage.json.damaged"},
        {"SavedSoundStorageNotJson", [](HostileRun& run) { WriteSaved(run, "{\"Sounds\": {\"Cue Number\": "); },
         kStorageSetAside, "SoundStorage.json.damaged"},
        {"SavedSoundStorageTooDeep", [](HostileRun& run) { WriteSaved(run, kDeep); }, kStorageSetAside,
         "SoundStorage.json.damaged"},
        {"SavedSoundStorageNotAStorage", [](HostileRun& run) { WriteSaved(run, "[1, 2, 3]"); },
         kStorageSetAside, "SoundStorage.json.damaged"},
        {"SavedAndShippedSoundStorageDamaged",
         [](HostileRun& run) {
             WriteSaved(run, "{");
             WriteShipped(run, "");
         },
         kNoCues + "is damaged: ", "SoundStorage.json.damaged"},
        {"ShippedSoundStorageMissing", [](HostileRun& run) { fs::remove(Audio(run) / "SoundStorage.json"); },
         kNoCues + "is missing or not a plain file", ""},
        {"ShippedSoundStorageNotJson", [](HostileRun& run) { WriteShipped(run, "{\"Sounds\": [}"); },
         kNoCues + "is damaged: ", ""},
        {"ShippedSoundStorageTooDeep", [](HostileRun& run) { WriteShipped(run, kDeep); },
         kNoCues + "is damaged: Exceeded stackLimit", ""},
        {"ShippedSoundStorageFifo", [](HostileRun& run) { Fifo(Audio(run) / "SoundStorage.json"); },
         kNoCues + "is missing or not a plain file", ""},
        {"SoundStorageCuePathTooShort",
         [](HostileRun& run) {
             WriteShipped(run, R"({"Sounds": {"Cue Number": 2, "Sound0": "Short", "Sound0Evt": "event:",
                 "Sound1": "Button_Hover", "Sound1Evt": "event:/SFX/Hover", "Sound1EvtVol": 1}})");
         },
         "Cue \"Short\" not made from the event path \"event:\": invalid string position", ""},
        {"BankListNamesFifo", ListFifo("bankFiles.txt"), NotAFile("fifo.bank"), ""},
        {"BankListNamesDevZero", ListDevZero("bankFiles.txt"), NotAFile("zero.bank"), ""},
        {"BankListClimbsToDevZero", ListClimbingToDevZero("bankFiles.txt"), "is outside the audio folder", ""},
        {"StringListNamesFifo", ListFifo("stringFiles.txt"), NotAFile("fifo.bank"), ""},
        {"StringListNamesDevZero", ListDevZero("stringFiles.txt"), NotAFile("zero.bank"), ""},
        {"StringListClimbsToDevZero", ListClimbingToDevZero("stringFiles.txt"), "is outside the audio folder", ""},
        {"BankSoundClimbsToDevZero",
         [](HostileRun& run) {
             std::string bank = run.game.game.Read("audio/Master.bank");
             bank.replace(bank.find("hover.wav"), 9, HostileRun::Relative("/dev/zero", Audio(run)));
             run.game.game.Write("audio/Master.bank", bank);
         },
         "is left out because its name leads out of the bank's folder", ""},
        {"BankDamaged", [](HostileRun& run) { run.game.game.Write("audio/Master.bank", "{\"events\": ["); },
         "error6 audio/Master.bank: The file is not a sound bank this back end understands.", ""},
        {"SoundFileIsFifo", [](HostileRun& run) { Fifo(Audio(run) / "hover.wav"); }, kHoverLeftOut + "it is not a plain file",
         ""},
        {"SoundFileOf65535Channels", Hover(testing_support::WaveBytes(1, 65535, 8000, 16, std::string(400, '\x10'))),
         kHoverLeftOut + "it is not a sound file that can be read: Too many channels specified.", ""},
        // Ten minutes and a second, at one sample a second.
        {"SoundFileOverTenMinutes", Hover(testing_support::WaveBytes(1, 1, 1, 8, std::string(601, '\x80'))),
         kHoverLeftOut + "its 601 samples at 1 Hz are more than the 600 a sound may hold", ""},
    };
}
