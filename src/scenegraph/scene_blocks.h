#pragma once

#include "scenegraph/scene_lines.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace scenegraph {

// Where a block lies in a list of lines: its opening and closing line, both
// inclusive.
struct BlockSpan {
    std::size_t first = 0;
    std::size_t last = 0;
};

// Blocks are found by text, not by parsing the nesting: the first line holding
// "<" + tag opens the block, and the first line from there on holding "</" +
// its closing key closes it (no such line: the block runs to the end).
std::optional<BlockSpan> findBlock(const SceneLines& lines, std::string_view tag);

// The opening line from the first occurrence of the tag for the tag's length
// plus four characters: the tag, a space and the first three characters of
// the name. Nested blocks of one tag must differ there.
std::string closingKey(std::string_view openingLine, std::string_view tag);

// The words after the first one, up to the first word holding ":", joined by
// single spaces. Empty when the line names nothing.
std::string blockName(std::string_view openingLine);

// Copies the block's lines out of the list.
SceneLines copyBlock(const SceneLines& lines, BlockSpan span);
// Moves the block's lines out of the list.
SceneLines takeBlock(SceneLines& lines, BlockSpan span);

// A block's header: its lines from the opening line up to and including the
// first line holding ">"; the whole block when no line does.
std::span<const std::string> headerOf(const SceneLines& block);

} // namespace scenegraph
