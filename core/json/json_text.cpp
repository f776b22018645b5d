#include "core/json/json_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <memory>

#include <json/reader.h>
#include <json/writer.h>

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

// Whether any number below value is not finite.
bool HoldsNonFinite(const Json::Value& value) {
    if (value.isDouble()) return !std::isfinite(value.asDouble());
    if (!value.isArray() && !value.isObject()) return false;
    return std::any_of(value.begin(), value.end(), HoldsNonFinite);
}

void MakeFinite(Json::Value& value) {
    if (value.isDouble()) {
        const double number = value.asDouble();
        if (std::isnan(number)) value = 0.0;
        else if (std::isinf(number)) value = number > 0 ? double(FLT_MAX) : -double(FLT_MAX);
        return;
    }
    if (value.isArray() || value.isObject())
        for (Json::Value& member : value) MakeFinite(member);
}

}  // namespace

std::string FormatJsonText(const Json::Value& document) {
    const Json::StreamWriterBuilder builder;
    // Copying the document is needed only in the rare case.
    if (!HoldsNonFinite(document)) return Json::writeString(builder, document);
    Json::Value finite = document;
    MakeFinite(finite);
    return Json::writeString(builder, finite);
}

float FiniteFloat(const Json::Value& number) {
    const double value = number.asDouble();
    if (std::isnan(value)) return 0.0f;
    return static_cast<float>(std::clamp(value, -double(FLT_MAX), double(FLT_MAX)));
}
