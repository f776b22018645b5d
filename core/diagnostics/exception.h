#pragma once
#include <exception>
#include <string>

namespace debug {

// The one error type the engine throws. Errors it cannot go on from travel
// as this exception up to main's fatal-error report.
class exception : public std::exception {
public:
    explicit exception(std::string message) : message(std::move(message)) {}
    const char* what() const noexcept override { return message.c_str(); }

private:
    std::string message;
};

}  // namespace debug
