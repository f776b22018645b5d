#pragma once
// A real engine with the shipped init.lua, and a way to run Lua in its state.

#include <string>
#include <vector>

#include "tests/engine/engine_fixture.h"

class LuaTest : public EngineTest {
protected:
    LuaTest();

    // Runs a chunk in the engine's Lua state; a Lua error fails the test.
    void Lua(const std::string& code);
    // tostring of a Lua expression.
    std::string Eval(const std::string& expression);
    // The diagnostic lines logged since the test began.
    std::vector<std::string> Logged() const;

private:
    size_t firstLine;
};
