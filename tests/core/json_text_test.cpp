#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include <gtest/gtest.h>

#include "core/json/json_text.h"

namespace {

Json::Value Read(const std::string& text) {
    Json::Value value;
    std::string errors;
    EXPECT_TRUE(ParseJsonText(text, value, errors)) << text << errors;
    return value;
}

uint64_t Bits(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// A float held by the engine is written in its own shortest form and reads
// back as the same float; a number of the writer's own (a script's double)
// is written exactly, and a real stays a real.
TEST(JsonText, NumbersAreWrittenShortAndReadBackAsTheyWere) {
    const struct {
        const char* what;
        Json::Value value;
        const char* text;
    } cases[] = {
        {"a float", WrittenFloat(0.6f), "0.6"},
        {"a small float", WrittenFloat(1e-7f), "1e-07"},
        {"the largest float", WrittenFloat(FLT_MAX), "3.4028235e+38"},
        {"a whole float", WrittenFloat(50.0f), "50.0"},
        {"negative zero", WrittenFloat(-0.0f), "-0.0"},
        {"a double", 0.1, "0.1"},
        {"a double no float holds", 0.30000000000000004, "0.30000000000000004"},
        {"a float widened by a script", double(0.6f), "0.6000000238418579"},
        {"a large double", 1e300, "1e+300"},
        {"an integer", Json::Value(-42), "-42"},
        {"the largest count", Json::Value(Json::UInt64(std::numeric_limits<uint64_t>::max())), "18446744073709551615"},
        {"infinity", std::numeric_limits<double>::infinity(), "3.4028234663852886e+38"},
        {"not a number", std::nan(""), "0.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FormatJsonText(c.value), std::string(c.text) + "\n");
        const Json::Value back = Read(FormatJsonText(c.value));
        EXPECT_EQ(back.type(), c.value.type());
        if (c.value.isDouble() && std::isfinite(c.value.asDouble())) {
            EXPECT_EQ(Bits(back.asDouble()), Bits(c.value.asDouble())) << "read back bit for bit";
        }
    }
    for (const float f : {0.6f, 1e-7f, 0.1f, 3.3333333f, 16777216.0f, 1.1754944e-38f, 1e-45f, FLT_MAX, -0.0f}) {
        EXPECT_EQ(static_cast<float>(Read(FormatJsonText(WrittenFloat(f))).asDouble()), f) << f;
        EXPECT_EQ(std::signbit(WrittenFloat(f)), std::signbit(f)) << f;
    }
}

// Only reals a float holds exactly are taken for floats; other doubles,
// integers and text stay as they are.
TEST(JsonText, WritingAsFloatsLeavesWhatNoFloatHolds) {
    Json::Value document = Read(R"([0.60000002384185791, 0.30000000000000004, 1e300, 3, "0.6", -0.0])");
    WriteAsFloats(document);
    EXPECT_EQ(FormatJsonText(document), "[\n    0.6,\n    0.30000000000000004,\n    1e+300,\n    3,\n    \"0.6\",\n    -0.0\n]\n");
}

TEST(JsonText, TheLayoutIsAPersonsAndReadingAndWritingAgainGivesTheSameText) {
    const struct {
        const char* what;
        const char* in;
        const char* out;
    } cases[] = {
        {"nested", R"({"b":{"y":[1,"two",null],"x":false},"a":[]})",
         "{\n    \"a\": [],\n    \"b\": {\n        \"x\": false,\n        \"y\": [\n            1,\n"
         "            \"two\",\n            null\n        ]\n    }\n}\n"},
        {"empty object", "{}", "{}\n"},
        {"empty array inside an object", R"({"e":{},"f":[{}]})",
         "{\n    \"e\": {},\n    \"f\": [\n        {}\n    ]\n}\n"},
        {"null", "null", "null\n"},
        {"escapes", R"(["a\"b\\c\n\t\u0001/é"])", "[\n    \"a\\\"b\\\\c\\n\\t\\u0001/é\"\n]\n"},
        {"escaped key", R"({"k\"\n": 1})", "{\n    \"k\\\"\\n\": 1\n}\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string text = FormatJsonText(Read(c.in));
        EXPECT_EQ(text, c.out);
        EXPECT_EQ(FormatJsonText(Read(text)), text);
        EXPECT_EQ(text.find(" \n"), std::string::npos) << "no trailing spaces";
    }
    // A text with a NUL inside, or bytes that are no UTF-8, reads back whole.
    const Json::Value odd(std::string("a\0b\xff\xc3", 5));
    EXPECT_EQ(Read(FormatJsonText(odd)), odd);
}

}  // namespace
