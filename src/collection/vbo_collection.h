#pragma once

#include "model/model_buffers.h"
#include "util/singleton.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace model {
class OBJ;
}
class ObjAnim;

namespace collection {

// The one place drawable models are made. Every call builds a fresh node
// and records it under objPath + texturePath; nodes made from the same
// parsed files share their vertex buffers (kept here) and their textures.
class VBOCollection : public util::Singleton<VBOCollection> {
    friend class util::Singleton<VBOCollection>;

public:
    // Deletes every node it made.
    ~VBOCollection() override;

    // The caller keeps the node (as an ObjectNode's geometry or in its own
    // tables) and never deletes it. A node made earlier under the same key
    // leaves the map but stays alive (whoever holds it may still draw it)
    // until the collection itself goes.
    model::OBJ* createModel(std::string objPath, std::string texturePath);
    // Shapes are objPath, then objPath without its 4-character extension
    // followed by "_2.obj", "_3.obj", ... up to nrFrames (at least 1).
    ObjAnim* createAnimModel(std::string objPath, std::string texturePath, int nrFrames);

    // Deletes a node this collection made, once nothing draws it any more: a
    // level that ends gives back its cues, so one song after another does not
    // pile them up. The shared buffers and textures stay. Unknown pointers
    // are ignored.
    void release(model::OBJ* node);
    // How many nodes it holds now.
    std::size_t nodeCount() const { return made.size(); }

    // Name of shape number (1-based) of a series; shape 1 is objPath itself.
    static std::string shapePath(const std::string& objPath, int number);

private:
    VBOCollection() = default;

    // The latest node per objPath + texturePath. The level makes one cue per
    // recorded cue from the same two paths, so most nodes drop out of this
    // map; `made` keeps them all so none is leaked.
    std::map<std::string, model::OBJ*> models;
    std::vector<model::OBJ*> made; // owned, in the order they were built
    // Uploaded once per series of parsed shapes and triangle count. The
    // parsed files outlive this collection in the game and the tests.
    std::map<std::pair<std::vector<const ObjData*>, int>, model::Mesh> meshes;
    // Morph series whose uneven shapes have been reported.
    std::set<std::string> reportedSeries;

    const model::Mesh& meshOf(const std::vector<const ObjData*>& shapes, int nrFaces);

    void record(const std::string& key, model::OBJ* node);
};

} // namespace collection
