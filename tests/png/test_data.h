#pragma once
#include <string>
#include <vector>

namespace png_test {

// Files written at build time by make_test_data.py.
std::string DataPath(const std::string& name);
std::vector<unsigned char> ReadBytes(const std::string& path);

struct PngCase {
    std::string name;
    unsigned width, height;
    int error;
};
std::vector<PngCase> PngCases();

struct StreamCase {
    std::string name, plain;
};
std::vector<StreamCase> StreamCases();

// Empty when equal, else where and how two byte strings first differ; keeps
// failure messages short for large images.
std::string FirstDifference(const std::vector<unsigned char>& actual, const std::vector<unsigned char>& expected);

}  // namespace png_test
