#pragma once

#include "scenegraph/scene_lines.h"
#include "scenegraph/scene_node_reader.h"

#include <string>

namespace scenegraph {

class RootNode;

// The game's geometry: a fresh model with its buffers from the vertex-buffer
// collection, which keeps and finally deletes it. Needs a GL context.
model::OBJ* collectionGeometry(const std::string& objPath, const std::string& texturePath);

// Replaces the root's scene with the one in the file. A file that cannot be
// opened, or holds no "RootNode" block, is reported and leaves the current
// scene as it was.
void loadScene(const std::string& path, const GeometryFactory& makeGeometry = collectionGeometry);

// The root's scene reading: takes the first "RootNode" block out of the
// lines, empties the scene and builds it anew: the window record, the
// cameras, the active camera and the tree below the root. source names the
// lines in error lines.
void readScene(RootNode& root, const SceneLines& lines, const std::string& source,
               const GeometryFactory& makeGeometry = collectionGeometry);

} // namespace scenegraph
