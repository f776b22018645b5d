// Listeners that change the set they are called from, raise it again or throw,
// checked against a registry that copies its set for every call.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/events/events.h"
#include "tests/support/error_text.h"

namespace {

// Every call of a listener taken down as (listener id, nesting depth).
using Trace = std::vector<std::pair<std::string, int>>;

TEST(EventsReentry, NestedCallRunsOverTheSetAsItWasWhenItBegan) {
    events::Register<int>("Nested");
    Trace trace;
    // "a" removes "b" and then raises the event again: the outer call, begun
    // with both, still reaches "b"; the inner call, begun without it, does not.
    events::Connect<int>("Nested", "a", [&](int depth) {
        trace.emplace_back("a", depth);
        if (depth > 0) return;
        EXPECT_TRUE(events::Disconnect("Nested", "b"));
        events::Connect<int>("Nested", "c", [&](int d) { trace.emplace_back("c", d); });
        events::Call<int>("Nested", depth + 1);
    });
    events::Connect<int>("Nested", "b", [&](int depth) { trace.emplace_back("b", depth); });
    events::Call<int>("Nested", 0);
    EXPECT_EQ(trace, (Trace{{"a", 0}, {"a", 1}, {"c", 1}, {"b", 0}}));
    trace.clear();
    events::Call<int>("Nested", 1);
    EXPECT_EQ(trace, (Trace{{"a", 1}, {"c", 1}}));
}

TEST(EventsReentry, ListenerThatDisconnectsItselfKeepsWhatItCapturedUntilItReturns) {
    events::Register<>("PostDraw");
    auto owned = std::make_shared<std::string>("kept");
    std::weak_ptr<std::string> watch = owned;
    std::string seenAfterDisconnect;
    events::Connect<>("PostDraw", "once", [owned = std::move(owned), &seenAfterDisconnect] {
        events::Disconnect("PostDraw", "once");
        seenAfterDisconnect = *owned;
    });
    ASSERT_FALSE(watch.expired());
    events::Call<>("PostDraw");
    EXPECT_EQ(seenAfterDisconnect, "kept");
    // Gone with the call, not kept by the registry.
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(events::Disconnect("PostDraw", "once"));
}

TEST(EventsReentry, ChangesDuringACallAreWhatLaterCallsSee) {
    events::Register<>("DebugDraw");
    Trace trace;
    auto record = [&](const char* id) { return [&trace, id] { trace.emplace_back(id, 0); }; };
    events::Connect<>("DebugDraw", "first", [&] {
        trace.emplace_back("first", 0);
        events::Disconnect("DebugDraw", "first");
        events::Disconnect("DebugDraw", "second");
        events::Connect<>("DebugDraw", "second", record("second again"));
        events::Connect<>("DebugDraw", "third", record("third"));
        // A failed connection during the call changes nothing.
        EXPECT_EQ(ErrorText([&] { events::Connect<>("DebugDraw", "third", record("twice")); }),
                  "Event ID \"third\" already existed.");
    });
    events::Connect<>("DebugDraw", "second", record("second"));
    events::Call<>("DebugDraw");
    EXPECT_EQ(trace, (Trace{{"first", 0}, {"second", 0}}));
    trace.clear();
    events::Call<>("DebugDraw");
    EXPECT_EQ(trace, (Trace{{"second again", 0}, {"third", 0}}));
}

TEST(EventsReentry, ThrowingListenerLeavesTheRegistryConsistent) {
    events::Register<int>("KeyPressed");
    Trace trace;
    auto dropped = std::make_shared<int>(0);
    std::weak_ptr<int> watchDropped = dropped;
    events::Connect<int>("KeyPressed", "dropped", [dropped = std::move(dropped), &trace](int) {
        trace.emplace_back("dropped", 0);
    });
    events::Connect<int>("KeyPressed", "thrower", [&](int depth) {
        trace.emplace_back("thrower", depth);
        if (depth > 0) throw debug::exception("inner");
        events::Disconnect("KeyPressed", "dropped");
        events::Connect<int>("KeyPressed", "late", [&](int d) { trace.emplace_back("late", d); });
        events::Call<int>("KeyPressed", depth + 1);
    });
    events::Connect<int>("KeyPressed", "after", [&](int d) { trace.emplace_back("after", d); });

    EXPECT_EQ(ErrorText([] { events::Call<int>("KeyPressed", 0); }), "inner");
    EXPECT_EQ(trace, (Trace{{"dropped", 0}, {"thrower", 0}, {"thrower", 1}}));
    // The set the throwing calls walked is released with them.
    EXPECT_TRUE(watchDropped.expired());

    // What the listeners changed before the throw stands; changes and calls
    // after it behave as in a registry that never saw an exception.
    trace.clear();
    EXPECT_TRUE(events::Disconnect("KeyPressed", "thrower"));
    events::Connect<int>("KeyPressed", "fresh", [&](int d) { trace.emplace_back("fresh", d); });
    events::Call<int>("KeyPressed", 5);
    EXPECT_EQ(trace, (Trace{{"after", 5}, {"late", 5}, {"fresh", 5}}));
}

// The registry as it was first built: the set copied for every call. Its copy
// is walked in connection order, the order the registry keeps as well.
class CopyingRegistry {
public:
    void Connect(const std::string& id, std::function<void(int)> callable) {
        for (const auto& entry : listeners)
            if (entry.first == id) throw debug::exception("Event ID \"" + id + "\" already existed.");
        listeners.emplace_back(id, std::move(callable));
    }
    bool Disconnect(const std::string& id) {
        return std::erase_if(listeners, [&](const auto& entry) { return entry.first == id; }) > 0;
    }
    void Call(int depth) {
        const auto copy = listeners;
        for (const auto& entry : copy) entry.second(depth);
    }

private:
    std::vector<std::pair<std::string, std::function<void(int)>>> listeners;
};

// The registry itself, under an event of its own for each run (a registered
// event stays for the life of the process).
struct RealRegistry {
    RealRegistry() : name("Shuffled" + std::to_string(runs++)) { events::Register<int>(name); }
    void Connect(const std::string& id, std::function<void(int)> callable) {
        events::Connect<int>(name, id, std::move(callable));
    }
    bool Disconnect(const std::string& id) { return events::Disconnect(name, id); }
    void Call(int depth) { events::Call<int>(name, depth); }

    static inline int runs = 0;
    const std::string name;
};

enum class Step { Nothing, Connect, Disconnect, DisconnectSelf, Raise, Throw };

struct Action {
    Step step;
    int target;  // which of the pool's ids
};

// Runs one script against a registry: the n-th listener call of the run does
// the script's n-th action, so two registries that agree so far keep doing the
// same thing. Everything observable goes into the log.
template <typename Registry>
std::vector<std::string> RunScript(const std::vector<Action>& topLevel, const std::vector<Action>& inListeners) {
    Registry registry;
    std::vector<std::string> log;
    size_t listenerCalls = 0;
    std::function<std::function<void(int)>(int)> makeListener = [&](int self) {
        return [&, self](int depth) {
            log.push_back("call l" + std::to_string(self) + " at " + std::to_string(depth));
            const Action& action = inListeners[listenerCalls++ % inListeners.size()];
            const std::string target = "l" + std::to_string(action.target);
            switch (action.step) {
                case Step::Nothing: break;
                case Step::Connect: registry.Connect(target, makeListener(action.target)); break;
                case Step::Disconnect:
                    log.push_back(registry.Disconnect(target) ? "removed during a call" : "absent during a call");
                    break;
                case Step::DisconnectSelf: registry.Disconnect("l" + std::to_string(self)); break;
                case Step::Raise:
                    if (depth < 3) registry.Call(depth + 1);
                    break;
                case Step::Throw: throw debug::exception("thrown by l" + std::to_string(self));
            }
        };
    };
    for (const Action& action : topLevel) {
        const std::string target = "l" + std::to_string(action.target);
        try {
            if (action.step == Step::Connect)
                registry.Connect(target, makeListener(action.target));
            else if (action.step == Step::Disconnect)
                log.push_back(registry.Disconnect(target) ? "removed" : "absent");
            else
                registry.Call(0);
        } catch (const debug::exception& error) {
            log.push_back(std::string("caught ") + error.what());
        }
    }
    return log;
}

std::vector<Action> RandomActions(std::mt19937& random, size_t count, std::vector<int> weights) {
    std::discrete_distribution<int> step(weights.begin(), weights.end());
    std::uniform_int_distribution<int> target(0, 7);
    std::vector<Action> actions;
    for (size_t i = 0; i < count; ++i) actions.push_back({Step(step(random)), target(random)});
    return actions;
}

bool Contains(const std::vector<std::string>& log, const std::string& part) {
    for (const std::string& line : log)
        if (line.find(part) != std::string::npos) return true;
    return false;
}

TEST(EventsReentry, RandomScriptsMatchACopyPerCall) {
    bool nested = false, thrown = false, removedInCall = false;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        std::mt19937 random(seed);
        // At the top level: connect, disconnect, raise (weights by step order).
        const auto topLevel = RandomActions(random, 60, {0, 4, 2, 0, 4, 0});
        const auto inListeners = RandomActions(random, 40, {6, 3, 3, 1, 3, 1});
        const auto expected = RunScript<CopyingRegistry>(topLevel, inListeners);
        ASSERT_EQ(RunScript<RealRegistry>(topLevel, inListeners), expected) << "seed " << seed;
        nested = nested || Contains(expected, " at 3");
        thrown = thrown || Contains(expected, "caught thrown");
        removedInCall = removedInCall || Contains(expected, "removed during a call");
    }
    // The scripts reached what they are meant to exercise.
    EXPECT_TRUE(nested);
    EXPECT_TRUE(thrown);
    EXPECT_TRUE(removedInCall);
}

}  // namespace
