// What the Lua side keeps for itself (listener lists, the coroutine nesting
// count) follows what is live, whatever a script does or fails at.
#include "core/entity/entity_table.h"
#include "tests/scripting/lua_fixture.h"

namespace {

// A level's worth of components listening to input and contacts, made and
// destroyed while neither event is raised, gives its memory back.
TEST_F(LuaTest, ListenersOfDestroyedComponentsAreFreedWithoutTheirEvent) {
    Lua(R"(
function Heap() collectgarbage() collectgarbage() return collectgarbage("count") end
function Lengths()
    return #events.listeners.MouseButtonPressed.list .. " " .. #events.listeners.OnCollisionEnded.list
end
before = Heap()
events.Connect("MouseButtonPressed", "menu", function() end)
components.Register("Clicker", { Initialize = function(self)
    self:Connect("MouseButtonPressed", function() end)
    self:Connect("OnCollisionEnded", function() end)
end })
local made = {}
for i = 1, 20000 do made[i] = Entity.Create() made[i]:AddComponent("Clicker") end
for i = 1, 20000 do made[i]:Destroy() end
)");
    ASSERT_EQ(Eval("Lengths()"), "20001 20000");
    engine::FlushPendingDestroys();
    EXPECT_EQ(Eval("Lengths()"), "1 0");
    // Kilobytes: a few hundred are the tables' own slack.
    EXPECT_LT(std::stod(Eval("Heap() - before")), 1024);
}

// However listeners connect and disconnect during a call, a call runs those
// connected when it began, in the order connected, less those disconnected
// before their turn; marked listeners being dropped midway changes nothing.
TEST_F(LuaTest, ListenersChangedDuringACallKeepTheirOrder) {
    Lua(R"(
function Hear(name) return function(round) heard[#heard + 1] = name .. round end end
function Each(from, to, fn) for i = from, to do fn(i) end end
)");
    struct Case {
        const char* name;
        const char* listeners;  // connects to "Probe"
        const char* heard;      // over two calls, rounds 1 and 2
    } cases[] = {
        {"one connected during a call waits for the next",
         "events.Connect('Probe', 'a', function(round) Hear('a')(round) events.Connect('Probe', 'n', Hear('n')) end)"
         "events.Connect('Probe', 'b', Hear('b'))",
         "a1 b1 a2 b2 n2"},
        {"one disconnected and connected again goes to the end",
         "events.Connect('Probe', 'a', function(round) Hear('a')(round)"
         "    if round == 1 then events.Disconnect('Probe', 'b') events.Connect('Probe', 'b', Hear('B')) end end)"
         "events.Connect('Probe', 'b', Hear('b')) events.Connect('Probe', 'c', Hear('c'))",
         "a1 c1 a2 c2 B2"},
        {"a call inside a call runs the list as it then stands",
         "events.Connect('Probe', 'a', function(round) Hear('a')(round)"
         "    if round == 1 then events.Connect('Probe', 'n', Hear('n')) events.Call('Probe', 0) end end)"
         "events.Connect('Probe', 'b', Hear('b'))",
         "a1 a0 b0 n0 b1 a2 b2 n2"},
        {"most disconnected midway, the rest still run",
         "events.Connect('Probe', 'a', function(round) Hear('a')(round)"
         "    if round == 1 then Each(3, 10, function(i) events.Disconnect('Probe', i) end)"
         "        events.Connect('Probe', 'n', Hear('n')) end end)"
         "events.Connect('Probe', 'b', Hear('b'))"
         "Each(3, 10, function(i) events.Connect('Probe', i, Hear(i)) end)"
         "events.Connect('Probe', 'z', Hear('z'))",
         "a1 b1 z1 a2 b2 z2 n2"},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.name);
        Lua(std::string("events.listeners.Probe = nil heard = {} ") + each.listeners +
            " events.Call('Probe', 1) events.Call('Probe', 2)");
        EXPECT_EQ(Eval("table.concat(heard, ' ')"), each.heard);
    }
}

// A stack overflow that strikes around the resume of a coroutine costs that
// one call: afterwards coroutines nest as deep as ever.
TEST_F(LuaTest, OverflowsAroundAResumeLeaveTheNestingBoundWhole) {
    Lua(R"(
local hundred = {}
for i = 1, 100 do hundred[i] = i end
local function Returns100() return unpack(hundred) end
-- Recurses n deep, then resumes a coroutine that returns 100 values.
local function Deep(n)
    if n == 0 then return (coroutine.resume(coroutine.create(Returns100))) end
    local result = Deep(n - 1)
    return result
end
-- How deep coroutines can nest from here.
function Headroom()
    local function Nest(k)
        local ok, reached = coroutine.resume(coroutine.create(function() return Nest(k + 1) end))
        return ok and reached or k
    end
    return Nest(0)
end
-- The shallowest recursion that overflows; the ones a little deeper run out
-- of stack at every step of the resume.
local fits, overflows = 1, 1
while pcall(Deep, overflows) do fits, overflows = overflows, overflows * 2 end
while overflows - fits > 1 do
    local middle = math.floor((fits + overflows) / 2)
    if pcall(Deep, middle) then fits = middle else overflows = middle end
end
failures = 0
for _ = 1, 8 do
    for n = overflows, overflows + 63 do
        local ok, message = pcall(Deep, n)
        if not ok and tostring(message):find("stack overflow") then failures = failures + 1 end
    end
end
resumed = { coroutine.resume(coroutine.create(function() return "still" end)) }
)");
    EXPECT_EQ(Eval("failures"), "512");
    EXPECT_EQ(Eval("tostring(resumed[1]) .. ' ' .. tostring(resumed[2])"), "true still");
    EXPECT_EQ(Eval("Headroom()"), "200");
}

}  // namespace
