#include "tests/png/test_data.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

namespace png_test {

std::string DataPath(const std::string& name) { return std::string(PNG_TEST_DATA) + "/" + name; }

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<PngCase> PngCases() {
    std::ifstream listing(DataPath("pngs.txt"));
    std::vector<PngCase> cases;
    PngCase c;
    while (listing >> c.name >> c.width >> c.height >> c.error) cases.push_back(c);
    return cases;
}

std::vector<StreamCase> StreamCases() {
    std::ifstream listing(DataPath("streams.txt"));
    std::vector<StreamCase> cases;
    StreamCase c;
    while (listing >> c.name >> c.plain) cases.push_back(c);
    return cases;
}

std::string FirstDifference(const std::vector<unsigned char>& actual, const std::vector<unsigned char>& expected) {
    std::ostringstream text;
    if (actual.size() != expected.size()) text << "size " << actual.size() << " instead of " << expected.size() << "; ";
    for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        if (actual[i] != expected[i]) {
            text << "byte " << i << " is " << int(actual[i]) << " instead of " << int(expected[i]);
            break;
        }
    }
    return text.str();
}

}  // namespace png_test
