#include "scenegraph/scene_keys.h"

#include "scenegraph/scene_values.h"

namespace scenegraph {

namespace {

constexpr std::string_view kChildKey = "child";
constexpr std::string_view kChildrenKey = "children";

// Whether the line holds "child" followed by the decimal index i for some
// 0 <= i < count. Every prefix of a digit run that does not start with 0 is
// such an index, the shortest being the first digit, so only the digit right
// after "child" matters.
bool isChildLine(std::string_view line, int count) {
    for (std::size_t at = line.find(kChildKey); at != std::string_view::npos;
         at = line.find(kChildKey, at + 1)) {
        const std::size_t digitAt = at + kChildKey.size();
        if (digitAt < line.size() && line[digitAt] >= '0' && line[digitAt] <= '9' &&
            line[digitAt] - '0' < count) {
            return true;
        }
    }
    return false;
}

} // namespace

template <typename Apply> void SceneKeys::forEachValue(std::string_view key, Apply apply) const {
    for (const std::string& line : lines) {
        if (line.find(key) != std::string::npos) {
            apply(valueText(line));
        }
    }
}

void SceneKeys::read(std::string_view key, int& field) const {
    forEachValue(key, [&](const std::string& text) { parseInt(text, field); });
}

void SceneKeys::read(std::string_view key, float& field) const {
    forEachValue(key, [&](const std::string& text) { parseFloat(text, field); });
}

void SceneKeys::read(std::string_view key, double& field) const {
    forEachValue(key, [&](const std::string& text) { parseDouble(text, field); });
}

void SceneKeys::read(std::string_view key, bool& field) const {
    forEachValue(key, [&](const std::string& text) { field = parseBool(text); });
}

void SceneKeys::read(std::string_view key, glm::vec3& field) const {
    forEachValue(key, [&](const std::string& text) { field = parseVec3(text); });
}

void SceneKeys::read(std::string_view key, glm::mat4& field) const {
    forEachValue(key, [&](const std::string& text) { field = parseMat4(text); });
}

void SceneKeys::read(std::string_view key, std::string& field) const {
    forEachValue(key, [&](const std::string& text) { field = text; });
}

std::vector<std::string> childTypeWords(std::span<const std::string> header) {
    std::vector<std::string> words;
    int count = 0;
    for (const std::string& line : header) {
        if (line.find(kChildrenKey) != std::string::npos) {
            parseInt(valueText(line), count);
        }
        if (isChildLine(line, count)) {
            words.push_back(valueText(line));
        }
    }
    return words;
}

} // namespace scenegraph
