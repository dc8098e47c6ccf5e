#pragma once

#include "collection/shader_program.h"
#include "collection/shader_slots.h"
#include "util/singleton.h"

#include <array>
#include <map>
#include <memory>
#include <string>

namespace collection {

// The game's nine shader programs by id, and the location of every uniform
// and attribute any pass uses, per program, so draws index a table instead of
// asking the GL by name every frame.
class ShaderCollection : public util::Singleton<ShaderCollection> {
    friend class util::Singleton<ShaderCollection>;

public:
    static constexpr int kProgramCount = 9;

    // Builds basePath + name under id, whether or not it builds. An id that
    // is already taken keeps its first program.
    void addProgram(int id, std::string name);
    // null for an id that was never added.
    ShaderProgram* getProgram(int id) const;
    // Fills both tables for ids 0 to 8; call after all nine addProgram calls.
    // A missing id keeps -1 everywhere.
    void locateVariables();

    // Rows for a program's id (0 to 8).
    const UniformRow& uniforms(int id) const { return uniformLocations.at(id); }
    const AttribRow& attribs(int id) const { return attribLocations.at(id); }

private:
    ShaderCollection() = default;

    std::map<int, std::unique_ptr<ShaderProgram>> programs; // owned, by id
    std::string basePath = "Shaders/150/";                  // where the program files lie
    std::array<UniformRow, kProgramCount> uniformLocations; // by id, then UniformSlot
    std::array<AttribRow, kProgramCount> attribLocations;   // by id, then AttribSlot
};

} // namespace collection
