#pragma once
#include <string>

#include "core/diagnostics/exception.h"

// The text of the debug::exception that action throws.
template <typename F>
std::string ErrorText(F&& action) {
    try {
        action();
    } catch (const debug::exception& error) {
        return error.what();
    }
    return "(no exception)";
}
