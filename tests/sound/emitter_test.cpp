#include <limits>
#include <sstream>

#include <gmock/gmock.h>
#include <json/reader.h>

#include "core/components/registry.h"
#include "core/entity/entity_table.h"
#include "core/events/events.h"
#include "graphics/camera.h"
#include "physics/rigid_body.h"
#include "sound/audio_state.h"
#include "sound/sound_emitter.h"
#include "sound/sound_space.h"
#include "tests/sound/audio_fixture.h"

namespace {

using ::testing::ElementsAre;

class Emitters : public AudioTest {
protected:
    Emitters() {
        components::Register<SoundEmitter>("SoundEmitter");
        components::Register<SoundSpace>("SoundSpace");
        components::Register<RigidBody>("RigidBody");
        WriteBanks({"event:/SFX/Hum", "event:/Music/A", "event:/Ambience/Wind"});
        WriteStorage(R"({"Sounds": {"Cue Number": 3, "Sound0": "Hum", "Sound0Evt": "event:/SFX/Hum", "Sound0EvtVol": 1,
            "Sound1": "Music", "Sound1Evt": "event:/Music/A", "Sound1EvtVol": 1,
            "Sound2": "Wind", "Sound2Evt": "event:/Ambience/Wind", "Sound2EvtVol": 1}})");
        Start();
        NewLines();
    }

    ~Emitters() override { engine::DestroyAllEntities(); }

    // The frame loop's listener: at the camera, x to the right.
    void GameFrame(float dt) {
        AudioSystem::SetListener(Camera::GetPosition(), {0.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, 1.0f});
        Frame(dt);
    }

    engine::entity_handle Entity(glm::vec3 position, const std::string& emitterJson) {
        const engine::entity_handle entity = engine::CreateEntity();
        entity.SetPosition(position.x, position.y, position.z);
        Json::Value json;
        std::istringstream in(emitterJson);
        in >> json;
        entity.AddComponent("SoundEmitter", json);
        return entity;
    }

    static SoundEmitter& EmitterOf(const engine::entity_handle& entity) {
        return *entity.GetBaseEntity().Get<SoundEmitter>();
    }

    static constexpr const char* kHum =
        R"({"Sound Emitter Distance": 30, "Sound Emitter Cue": "Hum", "Sound Emitter Fall Off Rate": 10})";
};

TEST_F(Emitters, NearEmittersSoundAtTheListenerFarOnesAreQuieterAndPlaced) {
    Camera::SetPosition({100.0f, 50.0f, 0.0f});
    const engine::entity_handle entity = Entity({125.0f, 50.0f, 0.0f}, kHum);
    std::vector<testing_support::Heard> heard;
    for (float x : {125.0f, 135.0f, 65.0f, 145.0f}) {
        entity.SetPosition(x, 50.0f, 0.0f);
        GameFrame(0.02f);  // the first plays it at the entity, the next places it
        GameFrame(0.02f);
        Listen(0.05);
        heard.push_back(Listen(0.2));
    }
    const testing_support::Heard near = heard[0], right = heard[1], left = heard[2], far = heard[3];
    EXPECT_GT(near.Both(), 0.05f);
    EXPECT_NEAR(near.left, near.right, near.Both() * 0.05f) << "within its distance it sounds at the listener";
    EXPECT_LT(right.Both(), near.Both() * 0.75f);
    EXPECT_GT(right.Both(), 0.01f);
    EXPECT_GT(right.right, right.left * 1.5f);
    EXPECT_GT(left.left, left.right * 1.5f);
    EXPECT_LT(far.Both(), kSilent) << "silent from the distance plus the fall-off rate";
}

TEST_F(Emitters, AnEmitterTakesItsRigidBodysVelocityAndRestartsWhenStopped) {
    const engine::entity_handle entity = Entity({40.0f, 0.0f, 0.0f}, kHum);
    entity.AddComponent("RigidBody", Json::Value());
    entity.GetBaseEntity().Get<RigidBody>()->velocity = {2.0f, 3.0f};
    GameFrame(0.02f);
    SoundEmitter& emitter = EmitterOf(entity);
    EXPECT_EQ(State(emitter.instance), FMOD::Studio::kPlaying);
    EXPECT_EQ(std::vector<float>({emitter.attributes.velocity.x, emitter.attributes.velocity.y,
                                  emitter.attributes.velocity.z}),
              std::vector<float>({2.0f, 3.0f, 0.0f}));
    EXPECT_EQ(emitter.attributes.position.x, 40.0f);

    const FMOD::Studio::EventInstance first = emitter.instance;
    SoundSpace::StopBus("Master Bus", 0);
    GameFrame(0.02f);
    EXPECT_FALSE(first.isValid()) << "the stopped instance was released";
    EXPECT_EQ(State(emitter.instance), FMOD::Studio::kPlaying) << "and a new one plays";

    emitter.hold = true;
    SoundSpace::StopBus("Master Bus", 0);
    GameFrame(0.02f);
    EXPECT_EQ(State(emitter.instance), FMOD::Studio::kStopped) << "held";
}

TEST_F(Emitters, ACopyStartsWithoutAnInstanceAndAMissingCueIsToldOnce) {
    const engine::entity_handle source = Entity({0.0f, 0.0f, 0.0f}, kHum);
    GameFrame(0.02f);
    const FMOD::Studio::EventInstance playing = EmitterOf(source).instance;
    ASSERT_TRUE(playing.isValid());
    const engine::entity_handle copy = engine::CreateEntity();
    copy.CopyFrom(source);
    EXPECT_FALSE(EmitterOf(copy).instance.isValid());
    EXPECT_EQ(EmitterOf(copy).cueName, "Hum");
    copy.RemoveComponent("SoundEmitter");
    EXPECT_TRUE(playing.isValid()) << "the source's instance is the source's alone";

    Entity({0.0f, 0.0f, 0.0f}, R"({"Sound Emitter Cue": "Nobody"})");
    Entity({0.0f, 0.0f, 0.0f}, R"({"Sound Emitter Cue": "Nobody"})");
    for (int frame = 0; frame < 5; ++frame) GameFrame(0.02f);
    EXPECT_THAT(NewLines(), ElementsAre("Cue \"Nobody\" Doesn't exist", "Cue \"Nobody\" Doesn't exist"));
}

TEST_F(Emitters, TheEmitterKeepsItsThreeKeys) {
    const engine::entity_handle entity = Entity({0.0f, 0.0f, 0.0f}, R"({"Sound Emitter Distance": 12.5,
        "Sound Emitter Cue": "Hum", "Sound Emitter Fall Off Rate": 4})");
    const Json::Value saved = EmitterOf(entity).Serialize();
    EXPECT_EQ(saved.getMemberNames(), std::vector<std::string>({"Sound Emitter Cue", "Sound Emitter Distance",
                                                                "Sound Emitter Fall Off Rate"}));
    EXPECT_EQ(saved["Sound Emitter Distance"].asDouble(), 12.5);
    EXPECT_FALSE(EmitterOf(entity).instance.isValid()) << "loading neither creates nor plays";
    SoundEmitter blank;
    blank.Deserialize(Json::Value(Json::objectValue));
    EXPECT_EQ(blank.distance, 0.0f);
    EXPECT_EQ(blank.fallOffRate, 0.0f);
    EXPECT_EQ(blank.cueName, "");
    blank.Deserialize(Json::Value("not an object"));
    EXPECT_EQ(blank.cueName, "");
    Json::Value huge(Json::objectValue);
    huge["Sound Emitter Distance"] = 1e39;  // beyond float: saved again, it must stay readable
    blank.Deserialize(huge);
    EXPECT_EQ(blank.distance, std::numeric_limits<float>::max());
}

TEST_F(Emitters, SoundSpacesApplyTheSavedMutesAfterALevelLoad) {
    SoundCueBank* music = SoundSpace::FindCue("Music");
    SoundCueBank* wind = SoundSpace::FindCue("Wind");
    SoundCueBank* hum = SoundSpace::FindCue("Hum");
    const engine::entity_handle first = engine::CreateEntity();
    const engine::entity_handle second = engine::CreateEntity();
    first.AddComponent("SoundSpace", Json::Value());
    second.AddComponent("SoundSpace", Json::Value());
    EXPECT_TRUE(SoundSpace{}.Serialize().isNull());

    SoundCueBank::MuteMusic();
    SoundCueBank::UnmuteMusic();
    audio::musicMuted = true;
    first.RemoveComponent("SoundSpace");
    events::Call<Json::Value*>("LevelLoad", nullptr);
    EXPECT_TRUE(music->muted && wind->muted) << "music and fade-in cues are muted again";
    EXPECT_FALSE(hum->muted);

    music->SetMuted(false);
    audio::masterMuted = true;
    events::Call<Json::Value*>("LevelLoad", nullptr);
    EXPECT_FALSE(music->muted) << "with master muted only the master bus is muted";
    bool muted = false;
    SoundSpace::FindBus("Master Bus").getMute(&muted);
    EXPECT_TRUE(muted);

    second.RemoveComponent("SoundSpace");
    EXPECT_FALSE(events::Disconnect("LevelLoad", "Load Sound Stuff")) << "the last space took its listener";
}

}  // namespace
