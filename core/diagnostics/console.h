#pragma once
#include <string>
#include <vector>

// The developer console. Its line store fills from program start with every
// diagnostic line and keeps the newest kMaxLines of them, oldest first.
class Console {
public:
    static constexpr size_t kMaxLines = 1000;

    static void AddLine(std::string line);
    static const std::vector<std::string>& GetLines();
};
