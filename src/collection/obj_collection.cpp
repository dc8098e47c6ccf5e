#include "collection/obj_collection.h"

#include "collection/obj_parser.h"
#include "collection/text_file.h"

#include <cstring>
#include <iostream>

namespace collection {
namespace {

std::unique_ptr<ObjData> readObjFile(const std::string& path) {
    auto data = std::make_unique<ObjData>();
    std::string text;
    const int error = readWholeFile(path, text);
    if (error != 0) {
        std::cout << "could not find file: " << path << "  - error code: " << error << " "
                  << std::endl;
        // The line above goes to the log; a missing model is an error too.
        std::cerr << "obj file " << path << " cannot be read: " << std::strerror(error)
                  << std::endl;
    }
    switch (parseObj(text, *data)) {
    case ObjParseResult::ok:
        break;
    case ObjParseResult::badIndices:
        std::cerr << "obj file " << path
                  << " has face indices outside its data; they were read as 0" << std::endl;
        break;
    case ObjParseResult::tooLarge:
        std::cerr << "obj file " << path << " has too many elements to draw; it was left empty"
                  << std::endl;
        break;
    }
    data->path = path;
    return data;
}

} // namespace

ObjCollection::~ObjCollection() {
    for (const auto& [path, data] : objects) {
        std::cout << "delete object... " << path << std::endl;
    }
}

ObjData* ObjCollection::getObj(std::string path) {
    auto found = objects.find(path);
    if (found != objects.end()) {
        return found->second.get();
    }
    auto [inserted, unused] = objects.emplace(path, readObjFile(path));
    return inserted->second.get();
}

} // namespace collection
