#pragma once

#include "util/singleton.h"

#include <map>
#include <string>

namespace model {
class OBJ;
}
class ObjAnim;

namespace collection {

// The one place drawable models are made. Every call builds a fresh node
// with fresh buffers (the parsed file and the textures are shared through
// their collections) and records it under objPath + texturePath.
class VBOCollection : public util::Singleton<VBOCollection> {
    friend class util::Singleton<VBOCollection>;

public:
    // Deletes the nodes recorded in the map.
    ~VBOCollection() override;

    // The caller keeps the node (as an ObjectNode's geometry or in its own
    // tables) and never deletes it. A node made earlier under the same key
    // leaves the map but is not deleted: whoever holds it may still draw it.
    model::OBJ* createModel(std::string objPath, std::string texturePath);
    // Shapes are objPath, then objPath without its 4-character extension
    // followed by "_2.obj", "_3.obj", ... up to nrFrames (at least 1).
    ObjAnim* createAnimModel(std::string objPath, std::string texturePath, int nrFrames);

    // Name of shape number (1-based) of a series; shape 1 is objPath itself.
    static std::string shapePath(const std::string& objPath, int number);

private:
    VBOCollection() = default;

    std::map<std::string, model::OBJ*> models; // owned, by objPath + texturePath
};

} // namespace collection
