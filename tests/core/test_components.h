#pragma once
// Component classes for the core's tests. Each records what happens to it in
// a shared log, and connects a per-entity listener while it lives, so tests
// can see that nothing is left connected.

#include <string>
#include <vector>

#include "core/components/base_component.h"
#include "core/components/registry.h"
#include "core/events/events.h"

inline std::vector<std::string>& ComponentLog() {
    static std::vector<std::string> log;
    return log;
}

template <typename Self>
class RecordingComponent : public BaseComponent<Self> {
public:
    static constexpr const char* kEvent = "TestTick";

    void Initialize() override {
        Log("init");
        events::Connect<>(kEvent, ListenerId(), [] {});
    }
    void Remove() override {
        Log("remove");
        events::Disconnect(kEvent, ListenerId());
    }
    Json::Value Serialize() override {
        Json::Value json(Json::objectValue);
        json["value"] = value;
        return json;
    }
    void Deserialize(Json::Value json) override {
        value = json["value"].asInt();
        Log("deserialize " + std::to_string(value));
    }
    void EditInfoDisplay() override {}

    std::string ListenerId() const { return Self::kName + std::to_string(this->owner.GetId()); }
    void Log(const std::string& what) {
        ComponentLog().push_back(std::string(Self::kName) + " " + what + " " + std::to_string(this->owner.GetId()));
    }

    int value = 0;
};

struct Alpha : RecordingComponent<Alpha> {
    static inline const std::string kName = "Alpha";
};
struct Beta : RecordingComponent<Beta> {
    static inline const std::string kName = "Beta";
    std::string label = "beta";
};

// Stands in for a component type defined by a script: its id and name are
// given at creation.
class ScriptedComponent : public RootComponent {
public:
    ScriptedComponent(uint32_t id, std::string name) : id(id), name(std::move(name)) {}
    void Initialize() override {}
    void Remove() override {}
    void Copy(const RootComponent*) override {}
    Json::Value Serialize() override { return Json::Value(Json::objectValue); }
    void Deserialize(Json::Value) override {}
    void EditInfoDisplay() override {}
    uint32_t GetTypeID() override { return id; }

    uint32_t id;
    std::string name;
};

// Registers the event the recording components listen on and the two types
// (Alpha gets id 1, Beta id 2 in a fresh process).
inline void RegisterTestComponents() {
    events::Register<>(RecordingComponent<Alpha>::kEvent);
    components::Register<Alpha>("Alpha");
    components::Register<Beta>("Beta");
}
