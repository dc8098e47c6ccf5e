#include "collection/vbo_collection.h"

#include "collection/obj_collection.h"
#include "model/obj_anim.h"

#include <algorithm>
#include <iostream>
#include <iterator>
#include <sstream>

namespace collection {

VBOCollection::~VBOCollection() {
    for (model::OBJ* node : made) {
        delete node;
    }
}

const model::Mesh& VBOCollection::meshOf(const std::vector<const ObjData*>& shapes, int nrFaces) {
    auto key = std::make_pair(shapes, nrFaces);
    auto found = meshes.find(key);
    if (found == meshes.end()) {
        found = meshes.emplace(std::move(key), model::uploadMesh(shapes, nrFaces)).first;
    }
    return found->second;
}

void VBOCollection::record(const std::string& key, model::OBJ* node) {
    models[key] = node;
    made.push_back(node);
}

model::OBJ* VBOCollection::createModel(std::string objPath, std::string texturePath) {
    const std::string key = objPath + texturePath;
    ObjData* data = ObjCollection::getInstance()->getObj(objPath);
    auto* node = new model::OBJ(data);
    node->useMesh(meshOf({data}, data->nrFaces));
    node->loadTextures(texturePath, 1);
    record(key, node);
    node->setObjpath(std::move(objPath));
    node->setTexturepath(std::move(texturePath));
    return node;
}

ObjAnim* VBOCollection::createAnimModel(std::string objPath, std::string texturePath,
                                        int nrFrames) {
    const std::string key = objPath + texturePath;
    auto* objects = ObjCollection::getInstance();
    ObjData* first = objects->getObj(objPath);
    auto* node = new ObjAnim(first, nrFrames);
    std::ostringstream unevenShapes;
    node->addFrame(first, unevenShapes);
    for (int number = 2; number <= nrFrames; ++number) {
        node->addFrame(objects->getObj(shapePath(objPath, number)), unevenShapes);
    }
    // The level makes every cue from one series: its faults are told once,
    // not once a cue.
    if (!unevenShapes.str().empty() && reportedSeries.insert(objPath).second) {
        std::cerr << unevenShapes.str() << std::flush;
    }
    node->useMesh(meshOf(node->shapes, node->nrFaces));
    node->loadTextures(texturePath, 0);
    record(key, node);
    node->setObjpath(std::move(objPath));
    node->setTexturepath(std::move(texturePath));
    return node;
}

void VBOCollection::release(model::OBJ* node) {
    auto owned = std::find(made.begin(), made.end(), node);
    if (owned == made.end()) {
        return;
    }
    made.erase(owned);
    for (auto latest = models.begin(); latest != models.end();) {
        latest = latest->second == node ? models.erase(latest) : std::next(latest);
    }
    delete node;
}

std::string VBOCollection::shapePath(const std::string& objPath, int number) {
    if (number == 1) {
        return objPath;
    }
    const std::string stem = objPath.substr(0, objPath.size() < 4 ? 0 : objPath.size() - 4);
    return stem + "_" + std::to_string(number) + ".obj";
}

} // namespace collection
