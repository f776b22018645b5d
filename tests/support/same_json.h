#pragma once
// Compares saved documents the way the game reads them back: the same
// members, numbers equal once read as floats (a saved 0 may be a real where
// the original held an integer, 0.1 a double of the float nearest it).

#include <json/value.h>

namespace testing_support {

inline bool SameJson(const Json::Value& a, const Json::Value& b) {
    if (a.isNumeric() && b.isNumeric()) return a.asFloat() == b.asFloat();
    if (a.isArray() && b.isArray()) {
        if (a.size() != b.size()) return false;
        for (Json::ArrayIndex i = 0; i < a.size(); ++i)
            if (!SameJson(a[i], b[i])) return false;
        return true;
    }
    if (!a.isObject() || !b.isObject()) return a == b;
    if (a.getMemberNames() != b.getMemberNames()) return false;
    for (const auto& name : a.getMemberNames())
        if (!SameJson(a[name], b[name])) return false;
    return true;
}

}  // namespace testing_support
