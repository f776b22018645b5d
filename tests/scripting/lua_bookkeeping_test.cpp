// What the Lua side keeps for itself (listener lists, the coroutine nesting
// count) follows what is live, whatever a script does or fails at.
#include "tests/scripting/lua_fixture.h"

namespace {

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
