#pragma once

#include <glm/glm.hpp>

#include <string>
#include <string_view>

namespace scenegraph {

// The value of a key line: the text two characters after its first ":", that
// is after ": ". A line that ends within those two characters, or holds no
// ":" at all, has an empty value.
std::string valueText(std::string_view line);

// Parsers of value texts. A number that does not scan at all leaves the field
// as it was, so a broken line behaves like a missing one.
void parseInt(const std::string& text, int& field);
void parseFloat(const std::string& text, float& field);
// Read as a float and then widened: 0.1 becomes the double nearest the float 0.1.
void parseDouble(const std::string& text, double& field);
// Only the exact text "true" is true; "True", "1" or "true " are false.
bool parseBool(const std::string& text);
// "[x|y|z]"; components that do not scan are 0.
glm::vec3 parseVec3(const std::string& text);
// Four brackets of four, in memory order: each bracket is one column and the
// fourth holds the translation. Elements that do not scan keep their identity
// value.
glm::mat4 parseMat4(const std::string& text);

} // namespace scenegraph
