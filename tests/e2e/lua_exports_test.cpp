// The exported functions as Lua sees them: every declaration of the shipped
// init.lua agrees with the one list of exports, and every name resolves in
// the running game with the result type and value layouts the engine uses.
#include <cstddef>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "scripting/export_list.h"
#include "tests/e2e/lua_game.h"

namespace {

struct Export {
    std::string name, result, parameters;
};

#define QM_EXPORT(result, name, parameters) {#name, #result, #parameters},
const std::vector<Export> kEngineSide = {QM_ENGINE_SIDE_EXPORTS};
const std::vector<Export> kComponent = {QM_COMPONENT_EXPORTS};
#undef QM_EXPORT

// One space between tokens, none elsewhere: "const char *" and "const char*"
// read alike.
std::string Tokens(const std::string& text) {
    const std::string spaced = std::regex_replace(text, std::regex(R"(([*,();]))"), " $1 ");
    std::istringstream in(spaced);
    std::string token, joined;
    while (in >> token) joined += (joined.empty() ? "" : " ") + token;
    return joined;
}

// The functions declared by init.lua's ffi.cdef, by name.
std::map<std::string, std::string> DeclaredFunctions() {
    std::ifstream file(std::string(QM_SOURCE_DIR) + "/data/lua/engine/init.lua");
    std::stringstream text;
    text << file.rdbuf();
    const std::string script = text.str();
    const size_t begin = script.find("ffi.cdef[[") + 10, end = script.find("]]", begin);
    std::map<std::string, std::string> declared;
    std::istringstream block(script.substr(begin, end - begin));
    for (std::string declaration; std::getline(block, declaration, ';');) {
        std::smatch name;
        const std::string tokens = Tokens(declaration);
        if (tokens.empty() || tokens.rfind("typedef", 0) == 0) continue;
        if (std::regex_search(tokens, name, std::regex(R"((lb_\w+) \()"))) declared[name[1]] = tokens;
    }
    return declared;
}

std::vector<Export> AllExports() {
    std::vector<Export> all = kEngineSide;
    all.insert(all.end(), kComponent.begin(), kComponent.end());
    return all;
}

TEST(LuaDeclarations, InitLuaDeclaresEveryExportAsTheEngineDefinesIt) {
    std::map<std::string, std::string> declared = DeclaredFunctions();
    const std::vector<Export> all = AllExports();
    ASSERT_EQ(all.size(), 104u);
    for (const Export& entry : all) {
        ASSERT_EQ(declared.count(entry.name), 1u) << entry.name << " is not declared";
        EXPECT_EQ(declared[entry.name], Tokens(entry.result + " " + entry.name + entry.parameters)) << entry.name;
        declared.erase(entry.name);
    }
    EXPECT_TRUE(declared.empty()) << declared.begin()->first << " is declared but not exported";
}

// Resolves each name through ffi.C and compares its result type with the
// list's; then prints the layouts of the values that cross by value.
std::string ResolvingScript(const std::vector<Export>& exports) {
    std::string script = "local ffi = require('ffi')\nlocal exports = {\n";
    for (const Export& entry : exports)
        script += "    { '" + entry.name + "', '" + entry.result + " " + entry.parameters + "' },\n";
    script += R"lua(}
local resolved, agreeing = 0, 0
for _, entry in ipairs(exports) do
    local found, fn = pcall(function() return C[entry[1]] end)
    if not found then
        C.lb_print("unresolved " .. entry[1])
    else
        resolved = resolved + 1
        local declared, defined = tostring(ffi.typeof(fn)), tostring(ffi.typeof(entry[2]))
        if declared == defined then agreeing = agreeing + 1 else C.lb_print(entry[1] .. ": " .. declared .. " is not " .. defined) end
    end
end
C.lb_print("resolved " .. resolved .. " agreeing " .. agreeing)
for _, layout in ipairs({ { "lb_vec2", "x", "y" }, { "lb_entity", "index", "id" }, { "lb_texture", "id", "width", "height" } }) do
    local parts = { layout[1], ffi.sizeof(layout[1]) }
    for i = 2, #layout do parts[#parts + 1] = layout[i] .. "@" .. ffi.offsetof(layout[1], layout[i]) end
    C.lb_print(table.concat(parts, " "))
end
C.lb_engine_quit_game()
)lua";
    return script;
}

TEST_F(LuaGame, EveryExportResolvesWithItsResultTypeAndLayouts) {
    const std::vector<Export> all = AllExports();
    Script("autorun/exports.lua", ResolvingScript(all));
    const std::string output = RunToEnd();
    const std::string count = std::to_string(all.size());
    EXPECT_TRUE(LinesInOrder(output, {
        "resolved " + count + " agreeing " + count,
        "lb_vec2 " + std::to_string(sizeof(lb_vec2)) + " x@0 y@" + std::to_string(offsetof(lb_vec2, y)),
        "lb_entity " + std::to_string(sizeof(lb_entity)) + " index@0 id@" + std::to_string(offsetof(lb_entity, id)),
        "lb_texture " + std::to_string(sizeof(lb_texture)) + " id@0 width@" + std::to_string(offsetof(lb_texture, width)) +
            " height@" + std::to_string(offsetof(lb_texture, height)),
    }));
}

TEST_F(LuaGame, EveryComponentExportResolvesWithItsResultType) {
    Script("autorun/exports.lua", ResolvingScript(kComponent));
    const std::string count = std::to_string(kComponent.size());
    EXPECT_TRUE(LinesInOrder(RunToEnd(), {"resolved " + count + " agreeing " + count}));
}

}  // namespace
