#include "tests/sound/audio_fixture.h"

#include <chrono>
#include <thread>

#include <json/value.h>

#include "core/diagnostics/console.h"
#include "core/events/events.h"
#include "platform/fmod/loopback.h"
#include "sound/sound_space.h"
#include "tests/support/tone_file.h"

namespace fs = std::filesystem;

AudioTest::AudioTest() {
    fs::create_directories(game.path() / "audio");
    fs::create_directory_symlink("audio", game.path() / "Audio");
    fs::current_path(game.path());
    events::Register<float>("LogicUpdate");
    events::Register<Json::Value*>("LevelLoad");
}

AudioTest::~AudioTest() { fs::current_path(previous); }

void AudioTest::WriteBanks(const std::vector<std::string>& eventPaths) {
    testing_support::WriteToneFile(game.path() / "audio" / "tone.wav", 0.5f);
    std::string events;
    std::string strings = R"("master": "bus:/", "music": "bus:/Music", "sfx": "bus:/SFX")";
    for (size_t i = 0; i < eventPaths.size(); ++i) {
        const std::string id = "e" + std::to_string(i);
        const bool music = eventPaths[i].rfind("event:/M", 0) == 0;
        events += std::string(i ? "," : "") + R"({"id": ")" + id + R"(", "bus": ")" + (music ? "music" : "sfx") +
                  R"(", "sound": "tone.wav", "loop": true, "minDistance": 1, "maxDistance": 20})";
        strings += R"(, ")" + id + R"(": ")" + eventPaths[i] + R"(")";
    }
    game.Write("audio/main.bank", R"({"bank": "b", "buses": [{"id": "master"}, {"id": "music", "parent": "master"},
        {"id": "sfx", "parent": "master"}], "events": [)" + events + "]}");
    game.Write("audio/main.strings.bank", R"({"strings": {"b": "bank:/Main", )" + strings + "}}");
    game.Write("audio/bankFiles.txt", "main.bank\n");
    game.Write("audio/stringFiles.txt", "main.strings.bank\n");
}

void AudioTest::WriteStorage(const std::string& json) const { game.Write("audio/SoundStorage.json", json); }

void AudioTest::Start() {
    audio.Init();
    SoundSpace::InitSounds();
}

void AudioTest::Frame(float dt) {
    events::Call<float>("LogicUpdate", dt);
    audio.Update();
}

std::vector<std::string> AudioTest::NewLines() {
    const std::vector<std::string>& lines = Console::GetLines();
    std::vector<std::string> fresh(lines.begin() + static_cast<std::ptrdiff_t>(std::min(linesSeen, lines.size())),
                                   lines.end());
    linesSeen = lines.size();
    return fresh;
}

testing_support::Heard AudioTest::Listen(double seconds) {
    FMOD::Loopback::TakeSamples();
    std::vector<float> samples;
    const size_t wanted = static_cast<size_t>(seconds * FMOD::Loopback::kSampleRate) * 2;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (samples.size() < wanted && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        audio.Update();
        const std::vector<float> more = FMOD::Loopback::TakeSamples();
        samples.insert(samples.end(), more.begin(), more.end());
    }
    return testing_support::Measure(samples);
}

bool AudioTest::FramesUntil(const std::function<bool()>& done) {
    for (int frame = 0; frame < 500; ++frame) {
        if (done()) return true;
        Frame(0.02f);
    }
    return done();
}

float AudioTest::Volume(const SoundCueBank& cue) {
    float volume = -1.0f;
    cue.instance.getVolume(&volume);
    return volume;
}

FMOD::Studio::PlaybackState AudioTest::State(const FMOD::Studio::EventInstance& instance) {
    FMOD::Studio::PlaybackState state = FMOD::Studio::kPlaying;
    instance.getPlaybackState(&state);
    return state;
}
