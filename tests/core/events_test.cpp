#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <json/value.h>

#include "core/entity/entity_handle.h"
#include "core/events/events.h"
#include "tests/support/error_text.h"

namespace {

TEST(Events, RaisesEveryListenerWithTheArgument) {
    events::Register<float>("LogicUpdate");
    float sum = 0;
    events::Connect<float>("LogicUpdate", "a", [&](float dt) { sum += dt; });
    events::Connect<float>("LogicUpdate", "b", [&](float dt) { sum += 2 * dt; });
    events::Call<float>("LogicUpdate", 0.5f);
    EXPECT_FLOAT_EQ(sum, 1.5f);
}

TEST(Events, EveryArgumentListTravels) {
    events::Register<>("PostDraw");
    events::Register<int>("KeyPressed");
    events::Register<Json::Value*>("LevelUnload");
    events::Register<engine::entity_handle>("EditorSelectedEntity");
    int calls = 0, key = 0;
    engine::entity_handle selected;
    events::Connect<>("PostDraw", "draw", [&] { ++calls; });
    events::Connect<int>("KeyPressed", "key", [&](int k) { key = k; });
    events::Connect<Json::Value*>("LevelUnload", "save", [](Json::Value* doc) { (*doc)["coins"] = 3; });
    events::Connect<engine::entity_handle>("EditorSelectedEntity", "sel", [&](engine::entity_handle h) { selected = h; });
    Json::Value doc;
    events::Call<>("PostDraw");
    events::Call<int>("KeyPressed", 96);
    events::Call<Json::Value*>("LevelUnload", &doc);
    events::Call<engine::entity_handle>("EditorSelectedEntity", engine::entity_handle(4, 9));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(key, 96);
    EXPECT_EQ(doc["coins"].asInt(), 3);
    EXPECT_EQ(selected.GetIndex(), 4u);
    EXPECT_EQ(selected.GetId(), 9u);
}

TEST(Events, ErrorMessagesAreExact) {
    events::Register<float>("LogicUpdate");
    EXPECT_EQ(ErrorText([] { events::Register<int>("LogicUpdate"); }),
              "Event Register: \"LogicUpdate\" already existed.");
    EXPECT_EQ(ErrorText([] { events::Connect<int>("LogicUpdate", "x", [](int) {}); }),
              "Connect: Event LogicUpdate does not eixst or the wrong argument types were provided");
    EXPECT_EQ(ErrorText([] { events::Call<>("LogicUpdate"); }),
              "Call: Event LogicUpdate does not eixst or the wrong argument types were provided");
    EXPECT_EQ(ErrorText([] { events::Connect<float>("Nope", "x", [](float) {}); }),
              "Event InternalGetListeners: failed to map event string \"Nope\"");
    EXPECT_EQ(ErrorText([] { events::Call<float>("Nope", 1.0f); }),
              "Event InternalGetListeners: failed to map event string \"Nope\"");
    EXPECT_EQ(ErrorText([] { events::Disconnect("Nope", "x"); }),
              "Event Disconnect failed to map event \"Nope\" or ID \"x\"!");
    events::Connect<float>("LogicUpdate", "PauseMenuCheckPause", [](float) {});
    EXPECT_EQ(ErrorText([] { events::Connect<float>("LogicUpdate", "PauseMenuCheckPause", [](float) {}); }),
              "Event ID \"PauseMenuCheckPause\" already existed.");
}

TEST(Events, EveryNameFindsItsOwnSetAmongMany) {
    // Names of every length up to a few words, many sharing their head or
    // their tail, registered in an order that makes the table grow a few times.
    std::vector<std::string> names = {""};
    for (size_t length = 1; length <= 40; ++length) {
        names.push_back(std::string(length, 'e'));
        names.push_back(std::string(length - 1, 'e') + "f");
        names.push_back("g" + std::string(length - 1, 'e'));
        names.push_back("OnCollision" + std::to_string(length));
    }
    for (const std::string& name : names) events::Register<std::string*>(name);
    for (const std::string& name : names)
        events::Connect<std::string*>(name, "who", [name](std::string* seen) { *seen = name; });
    for (const std::string& name : names) {
        std::string seen = "(none)";
        events::Call<std::string*>(name, &seen);
        ASSERT_EQ(seen, name);
    }
    // A name is all of its bytes, not a C string's head.
    EXPECT_THROW(events::Call<std::string*>(std::string("ee\0", 3), nullptr), debug::exception);
    const std::vector<std::string> missing = {std::string(41, 'e'), "OnCollision0", "OnCollision41", "h"};
    for (const std::string& name : missing)
        EXPECT_EQ(ErrorText([&] { events::Call<std::string*>(name, nullptr); }),
                  "Event InternalGetListeners: failed to map event string \"" + name + "\"");
    EXPECT_EQ(ErrorText([] { events::Register<int>("eeee"); }), "Event Register: \"eeee\" already existed.");
}

TEST(Events, FailedRegistrationKeepsTheFirstSet) {
    events::Register<int>("KeyPressed");
    int seen = 0;
    events::Connect<int>("KeyPressed", "k", [&](int key) { seen = key; });
    EXPECT_THROW(events::Register<int>("KeyPressed"), debug::exception);
    events::Call<int>("KeyPressed", 7);
    EXPECT_EQ(seen, 7);
}

TEST(Events, SameIdOnTwoEventsIsAccepted) {
    events::Register<int>("KeyPressed");
    events::Register<float>("LogicUpdate");
    events::Connect<int>("KeyPressed", "PauseMenuCheckPause", [](int) {});
    EXPECT_NO_THROW(events::Connect<float>("LogicUpdate", "PauseMenuCheckPause", [](float) {}));
}

TEST(Events, DisconnectReportsWhetherAListenerWentAndNeedsNoTypes) {
    events::Register<int>("KeyPressed");
    int calls = 0;
    events::Connect<int>("KeyPressed", "k", [&](int) { ++calls; });
    EXPECT_FALSE(events::Disconnect("KeyPressed", "other"));
    EXPECT_TRUE(events::Disconnect("KeyPressed", "k"));
    EXPECT_FALSE(events::Disconnect("KeyPressed", "k"));
    events::Call<int>("KeyPressed", 1);
    EXPECT_EQ(calls, 0);
}

TEST(Events, ACallSaysWhetherAnyListenerRan) {
    events::Register<>("DebugDraw");
    EXPECT_FALSE(events::Call<>("DebugDraw"));
    events::Connect<>("DebugDraw", "once", [] { events::Disconnect("DebugDraw", "once"); });
    EXPECT_TRUE(events::Call<>("DebugDraw"));
    EXPECT_FALSE(events::Call<>("DebugDraw"));
}

TEST(Events, OneShotListenerDisconnectingItselfRunsOnce) {
    events::Register<Json::Value*>("LevelUnloadFinished");
    int saves = 0;
    events::Connect<Json::Value*>("LevelUnloadFinished", "LuaSaveLevelOnUnload", [&](Json::Value*) {
        ++saves;
        events::Disconnect("LevelUnloadFinished", "LuaSaveLevelOnUnload");
    });
    Json::Value doc;
    events::Call<Json::Value*>("LevelUnloadFinished", &doc);
    events::Call<Json::Value*>("LevelUnloadFinished", &doc);
    EXPECT_EQ(saves, 1);
}

TEST(Events, ListenerConnectedDuringACallRunsFromTheNextCall) {
    events::Register<>("PostDraw");
    int lateCalls = 0;
    events::Connect<>("PostDraw", "connector", [&] {
        events::Connect<>("PostDraw", "late", [&] { ++lateCalls; });
        events::Disconnect("PostDraw", "connector");
    });
    events::Call<>("PostDraw");
    EXPECT_EQ(lateCalls, 0);
    events::Call<>("PostDraw");
    EXPECT_EQ(lateCalls, 1);
}

TEST(Events, ListenerDisconnectedByAnotherDuringACallStillRunsInThatCall) {
    events::Register<>("PostDraw");
    int calls = 0;
    // Whichever runs first removes the other; the copy still holds both.
    events::Connect<>("PostDraw", "a", [&] { ++calls; events::Disconnect("PostDraw", "b"); });
    events::Connect<>("PostDraw", "b", [&] { ++calls; events::Disconnect("PostDraw", "a"); });
    events::Call<>("PostDraw");
    EXPECT_EQ(calls, 2);
    events::Call<>("PostDraw");
    EXPECT_EQ(calls, 2);
}

TEST(Events, AThrowingListenerEndsTheCallAndReachesTheRaiser) {
    events::Register<int>("KeyPressed");
    int calls = 0;
    for (const char* id : {"a", "b", "c"})
        events::Connect<int>("KeyPressed", id, [&](int) {
            ++calls;
            throw debug::exception("stop");
        });
    EXPECT_THROW(events::Call<int>("KeyPressed", 1), debug::exception);
    EXPECT_EQ(calls, 1);
}

}  // namespace
