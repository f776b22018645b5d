#include "tests/platform/fmod_fixture.h"

#include <chrono>
#include <cmath>
#include <thread>

#include <sndfile.h>

#include "platform/fmod/loopback.h"

StudioTest::StudioTest() {
    EXPECT_EQ(FMOD::Studio::System::create(&system), FMOD::kOk);
    EXPECT_EQ(system.initialize(512, 0, 0, nullptr), FMOD::kOk);
    EXPECT_TRUE(FMOD::Loopback::Active());
    FMOD::Loopback::TakeSamples();
}

void StudioTest::WriteTone(const std::string& file, float seconds, float frequency) const {
    constexpr int kRate = 22050;
    std::vector<short> samples(static_cast<size_t>(seconds * kRate));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>(16000.0 * std::sin(2.0 * M_PI * frequency * i / kRate));
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* out = sf_open((folder.path() / file).c_str(), SFM_WRITE, &info);
    ASSERT_NE(out, nullptr);
    sf_write_short(out, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(out);
}

FMOD::Studio::Bank StudioTest::Load(const std::string& file, const std::string& json) const {
    folder.Write(file, json);
    FMOD::Studio::Bank bank;
    EXPECT_EQ(system.loadBankFile((folder.path() / file).c_str(), 0, &bank), FMOD::kOk);
    EXPECT_EQ(bank.loadSampleData(), FMOD::kOk);
    EXPECT_EQ(system.update(), FMOD::kOk);
    return bank;
}

FMOD::Studio::EventDescription StudioTest::FirstEvent(const FMOD::Studio::Bank& bank) const {
    FMOD::Studio::EventDescription event;
    int count = 0;
    EXPECT_EQ(bank.getEventList(&event, 1, &count), FMOD::kOk);
    EXPECT_EQ(count, 1);
    return event;
}

std::vector<float> StudioTest::Render(double seconds) const {
    FMOD::Loopback::TakeSamples();  // only what is rendered from now on
    std::vector<float> samples;
    const size_t wanted = static_cast<size_t>(seconds * FMOD::Loopback::kSampleRate) * 2;
    UpdateUntil([&] {
        const std::vector<float> more = FMOD::Loopback::TakeSamples();
        samples.insert(samples.end(), more.begin(), more.end());
        return samples.size() >= wanted;
    });
    return samples;
}

Heard StudioTest::Listen(double seconds) const {
    const std::vector<float> samples = Render(seconds);
    double left = 0.0;
    double right = 0.0;
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
        left += samples[i] * samples[i];
        right += samples[i + 1] * samples[i + 1];
    }
    const double frames = std::max<size_t>(1, samples.size() / 2);
    return {static_cast<float>(std::sqrt(left / frames)), static_cast<float>(std::sqrt(right / frames))};
}

bool StudioTest::UpdateUntil(const std::function<bool()>& done) const {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        system.update();
    }
    return true;
}

std::string BusTreeBank(const std::string& sound, bool loop, float fadeOut) {
    return R"({"bank": "b", "buses": [{"id": "master"}, {"id": "music", "parent": "master"},
        {"id": "quiet", "parent": "music"}, {"id": "other", "parent": "master"}],
      "events": [{"id": "e", "bus": "quiet", "sound": ")" + sound + R"(", "loop": )" + (loop ? "true" : "false") +
           R"(, "fadeOut": )" + std::to_string(fadeOut) + R"(, "minDistance": 1, "maxDistance": 50}]})";
}
