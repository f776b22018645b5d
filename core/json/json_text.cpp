#include "core/json/json_text.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>

#include <json/reader.h>

bool ParseJsonText(const std::string& text, Json::Value& document, std::string& errors) {
    Json::CharReaderBuilder builder;
    builder["failIfExtra"] = true;
    const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    errors.clear();
    Json::Value parsed;
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &parsed, &errors)) return false;
    } catch (const Json::Exception& error) {
        // Nesting deeper than the reader's limit is thrown, not reported.
        errors = error.what();
        return false;
    }
    document = std::move(parsed);
    return true;
}

namespace {

constexpr size_t kIndent = 4;

void WriteReal(double number, std::string& out) {
    if (std::isnan(number)) number = 0.0;
    else if (std::isinf(number)) number = number > 0 ? double(FLT_MAX) : -double(FLT_MAX);
    char text[32];
    const char* end = std::to_chars(text, text + sizeof text, number).ptr;
    const std::string_view written(text, end);
    out += written;
    // "50" and "-0" would read back as the integers 50 and 0: a real stays one.
    if (std::none_of(written.begin(), written.end(), [](char c) { return c == '.' || c == 'e'; })) out += ".0";
}

void WriteString(const std::string& text, std::string& out) {
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;  // other bytes, UTF-8 or not, stand as they are
                }
        }
    }
    out += '"';
}

void WriteValue(const Json::Value& value, size_t depth, std::string& out);

void WriteMembers(const Json::Value& value, size_t depth, std::string& out) {
    const bool object = value.isObject();
    if (value.empty()) {
        out += object ? "{}" : "[]";
        return;
    }
    out += object ? '{' : '[';
    const char* separator = "\n";
    for (auto member = value.begin(); member != value.end(); ++member) {
        out += separator;
        separator = ",\n";
        out.append((depth + 1) * kIndent, ' ');
        if (object) {
            WriteString(member.name(), out);
            out += ": ";
        }
        WriteValue(*member, depth + 1, out);
    }
    out += '\n';
    out.append(depth * kIndent, ' ');
    out += object ? '}' : ']';
}

void WriteValue(const Json::Value& value, size_t depth, std::string& out) {
    switch (value.type()) {
        case Json::nullValue: out += "null"; break;
        case Json::booleanValue: out += value.asBool() ? "true" : "false"; break;
        case Json::intValue: out += std::to_string(value.asLargestInt()); break;
        case Json::uintValue: out += std::to_string(value.asLargestUInt()); break;
        case Json::realValue: WriteReal(value.asDouble(), out); break;
        case Json::stringValue: WriteString(value.asString(), out); break;
        case Json::arrayValue:
        case Json::objectValue: WriteMembers(value, depth, out); break;
    }
}

}  // namespace

std::string FormatJsonText(const Json::Value& document) {
    std::string text;
    WriteValue(document, 0, text);
    text += '\n';
    return text;
}

float FiniteFloat(const Json::Value& number) {
    const double value = number.asDouble();
    if (std::isnan(value)) return 0.0f;
    return static_cast<float>(std::clamp(value, -double(FLT_MAX), double(FLT_MAX)));
}

double WrittenFloat(float value) {
    char text[32];
    const char* end = std::to_chars(text, text + sizeof text, value).ptr;
    double shortest = 0.0;
    // Reading the decimal as a double and narrowing it rounds twice; where
    // that could ever miss the float (or for a non-finite one), the widened
    // float is written instead.
    if (std::from_chars(text, end, shortest).ec != std::errc() || static_cast<float>(shortest) != value)
        return static_cast<double>(value);
    return shortest;
}

void WriteAsFloats(Json::Value& value) {
    if (value.isArray() || value.isObject()) {
        for (Json::Value& member : value) WriteAsFloats(member);
        return;
    }
    if (value.type() != Json::realValue) return;
    const double number = value.asDouble();
    if (!(std::fabs(number) <= double(FLT_MAX))) return;  // no float holds it
    const float narrowed = static_cast<float>(number);
    if (static_cast<double>(narrowed) == number) value = WrittenFloat(narrowed);
}
