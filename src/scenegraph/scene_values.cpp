#include "scenegraph/scene_values.h"

#include <cstdio>
#include <sstream>

namespace scenegraph {

namespace {

// Characters between the ":" and the value.
constexpr std::size_t kValueGap = 2;

template <typename T> bool extract(const std::string& text, T& value) {
    std::istringstream in(text);
    return static_cast<bool>(in >> value);
}

} // namespace

std::string valueText(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || colon + kValueGap > line.size()) {
        return {};
    }
    return std::string(line.substr(colon + kValueGap));
}

void parseInt(const std::string& text, int& field) {
    int value = 0;
    if (extract(text, value)) {
        field = value;
    }
}

void parseFloat(const std::string& text, float& field) {
    float value = 0.0f;
    if (extract(text, value)) {
        field = value;
    }
}

void parseDouble(const std::string& text, double& field) {
    float value = 0.0f;
    if (extract(text, value)) {
        field = static_cast<double>(value);
    }
}

bool parseBool(const std::string& text) {
    return text == "true";
}

glm::vec3 parseVec3(const std::string& text) {
    glm::vec3 v(0.0f);
    std::sscanf(text.c_str(), "[%f|%f|%f]", &v.x, &v.y, &v.z);
    return v;
}

glm::mat4 parseMat4(const std::string& text) {
    glm::mat4 m(1.0f);
    std::sscanf(text.c_str(), "[%f|%f|%f|%f][%f|%f|%f|%f][%f|%f|%f|%f][%f|%f|%f|%f]", &m[0][0],
                &m[0][1], &m[0][2], &m[0][3], &m[1][0], &m[1][1], &m[1][2], &m[1][3], &m[2][0],
                &m[2][1], &m[2][2], &m[2][3], &m[3][0], &m[3][1], &m[3][2], &m[3][3]);
    return m;
}

} // namespace scenegraph
