#include "collection/shader_collection.h"

#include <iostream>
#include <new>

namespace collection {

void ShaderCollection::addProgram(int id, std::string name) {
    if (programs.count(id) != 0) {
        return;
    }
    std::unique_ptr<ShaderProgram> program(new (std::nothrow) ShaderProgram(basePath + name, id));
    if (!program) {
        std::cout << "Could not compile shader program: " << name << std::endl;
        return;
    }
    programs.emplace(id, std::move(program));
}

ShaderProgram* ShaderCollection::getProgram(int id) const {
    auto found = programs.find(id);
    return found == programs.end() ? nullptr : found->second.get();
}

void ShaderCollection::locateVariables() {
    for (int id = 0; id < kProgramCount; ++id) {
        uniformLocations[id] = UniformRow();
        attribLocations[id] = AttribRow();
        const ShaderProgram* program = getProgram(id);
        // A program that did not build has no locations; asking the GL about
        // program 0 would only raise errors.
        if (program == nullptr || program->getProgramId() == 0) {
            continue;
        }
        for (std::size_t slot = 0; slot < kUniformSlotCount; ++slot) {
            uniformLocations[id].locations[slot] =
                glGetUniformLocation(program->getProgramId(), kUniformNames[slot]);
        }
        for (std::size_t slot = 0; slot < kAttribSlotCount; ++slot) {
            attribLocations[id].locations[slot] =
                glGetAttribLocation(program->getProgramId(), kAttribNames[slot]);
        }
    }
}

} // namespace collection
