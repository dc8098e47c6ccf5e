#pragma once

#include <glm/glm.hpp>

#include <optional>

// Where screen-space pieces go in overlay space (-0.5..0.5 in x and y, y up),
// as model-view matrices for texts laid out from the top-left corner on line
// 0 (see layoutText).

// The font sheet's solid box: one of it, stretched, draws a bar or a tick.
constexpr char kBlockGlyph = '\x7f';
// The multiplication sign of "0.75×", in a cell the printable characters
// leave free (the overlay draws one byte a glyph, 0 to 127).
constexpr char kTimesGlyph = '\x1e';

enum class TextAnchor { Left, Centre, Right };

// Moves a one-line text of `characters` glyphs of `size` so that the middle
// of its left edge, its centre or the middle of its right edge lands on `at`.
glm::mat4 placeText(int characters, float size, glm::vec2 at, TextAnchor anchor);

// Stretches one block glyph of `size` over the rectangle of that centre and
// full extent.
glm::mat4 placeBlock(float size, glm::vec2 centre, glm::vec2 extent);

// Where a world point shows in overlay space; nothing behind the eye.
std::optional<glm::vec2> overlayPointOf(const glm::vec3& world, const glm::mat4& view,
                                        const glm::mat4& projection);
