#include "collection/shader_collection.h"

#include <algorithm>
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
    names.emplace(id, std::move(name));
}

void ShaderCollection::addVariant(int baseId, int key, const std::string& defines) {
    // A base that did not build has said so; its variants, made of the same
    // files, would only say it again.
    const auto name = names.find(baseId);
    if (name == names.end() || !getProgram(baseId)->isLinked() ||
        variantIds.count({baseId, key}) != 0) {
        return;
    }
    const int id = std::max(kProgramCount, programs.rbegin()->first + 1);
    std::unique_ptr<ShaderProgram> program(new (std::nothrow)
                                               ShaderProgram(basePath + name->second, id, defines));
    if (!program) {
        std::cout << "Could not compile shader program: " << name->second << std::endl;
        return;
    }
    programs.emplace(id, std::move(program));
    variantIds.emplace(std::make_pair(baseId, key), id);
}

ShaderProgram* ShaderCollection::variant(ShaderProgram* base, int key) const {
    const auto found = variantIds.find({base->getId(), key});
    if (found != variantIds.end()) {
        ShaderProgram* built = getProgram(found->second);
        if (built->isLinked()) {
            return built;
        }
    }
    return base;
}

std::vector<ShaderProgram*> ShaderCollection::variantsOf(int baseId) const {
    std::vector<ShaderProgram*> found;
    for (const auto& [baseAndKey, id] : variantIds) {
        if (baseAndKey.first == baseId) {
            found.push_back(getProgram(id));
        }
    }
    return found;
}

const UniformRow& ShaderCollection::uniforms(int id) const {
    static const UniformRow kNone;
    return id >= 0 && static_cast<std::size_t>(id) < uniformLocations.size() ? uniformLocations[id]
                                                                             : kNone;
}

const AttribRow& ShaderCollection::attribs(int id) const {
    static const AttribRow kNone;
    return id >= 0 && static_cast<std::size_t>(id) < attribLocations.size() ? attribLocations[id]
                                                                            : kNone;
}

ShaderProgram* ShaderCollection::getProgram(int id) const {
    auto found = programs.find(id);
    return found == programs.end() ? nullptr : found->second.get();
}

void ShaderCollection::locateVariables() {
    const int rows = std::max(kProgramCount, programs.empty() ? 0 : programs.rbegin()->first + 1);
    uniformLocations.assign(static_cast<std::size_t>(rows), UniformRow());
    attribLocations.assign(static_cast<std::size_t>(rows), AttribRow());
    for (int id = 0; id < rows; ++id) {
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
