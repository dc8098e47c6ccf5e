#pragma once

#include <glm/glm.hpp>

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace scenegraph {

// Reads key lines into fields. A key line is any line holding the key's text
// anywhere; every such line is applied in order, so the last one wins, and a
// key no line holds leaves the field as it was.
class SceneKeys {
public:
    explicit SceneKeys(std::span<const std::string> lines) : lines(lines) {}

    void read(std::string_view key, int& field) const;
    void read(std::string_view key, float& field) const;
    void read(std::string_view key, double& field) const;
    void read(std::string_view key, bool& field) const;
    void read(std::string_view key, glm::vec3& field) const;
    void read(std::string_view key, glm::mat4& field) const;
    void read(std::string_view key, std::string& field) const;

private:
    template <typename Apply> void forEachValue(std::string_view key, Apply apply) const;

    std::span<const std::string> lines; // searched, in order; not owned
};

// The type words of a "Node" header's child lines, in line order. A line is a
// child line when it holds "child" followed by an index below the count of
// the "children" line read before it. The count is used for nothing else, so
// a huge or negative one costs nothing.
std::vector<std::string> childTypeWords(std::span<const std::string> header);

} // namespace scenegraph
