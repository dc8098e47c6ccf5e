#include "collection/vbo_collection.h"

#include "collection/obj_collection.h"
#include "model/obj_anim.h"

namespace collection {

VBOCollection::~VBOCollection() {
    for (model::OBJ* node : made) {
        delete node;
    }
}

void VBOCollection::record(const std::string& key, model::OBJ* node) {
    models[key] = node;
    made.push_back(node);
}

model::OBJ* VBOCollection::createModel(std::string objPath, std::string texturePath) {
    const std::string key = objPath + texturePath;
    auto* node = new model::OBJ(ObjCollection::getInstance()->getObj(objPath));
    node->createBuffers();
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
    node->addFrame(first);
    for (int number = 2; number <= nrFrames; ++number) {
        node->addFrame(objects->getObj(shapePath(objPath, number)));
    }
    node->loadTextures(texturePath, 0);
    record(key, node);
    node->setObjpath(std::move(objPath));
    node->setTexturepath(std::move(texturePath));
    return node;
}

std::string VBOCollection::shapePath(const std::string& objPath, int number) {
    if (number == 1) {
        return objPath;
    }
    const std::string stem = objPath.substr(0, objPath.size() < 4 ? 0 : objPath.size() - 4);
    return stem + "_" + std::to_string(number) + ".obj";
}

} // namespace collection
