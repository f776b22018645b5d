#include "tests/platform/fmod_fixture.h"

#include <chrono>
#include <thread>

#include "platform/fmod/loopback.h"
#include "tests/support/tone_file.h"

StudioTest::StudioTest() {
    EXPECT_EQ(FMOD::Studio::System::create(&system), FMOD::kOk);
    EXPECT_EQ(system.initialize(512, 0, 0, nullptr), FMOD::kOk);
    EXPECT_TRUE(FMOD::Loopback::Active());
    FMOD::Loopback::TakeSamples();
}

void StudioTest::WriteTone(const std::string& file, float seconds, float frequency) const {
    ASSERT_TRUE(testing_support::WriteToneFile(folder.path() / file, seconds, frequency));
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

Heard StudioTest::Listen(double seconds) const { return testing_support::Measure(Render(seconds)); }

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
