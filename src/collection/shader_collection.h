#pragma once

#include "collection/shader_program.h"
#include "collection/shader_slots.h"
#include "util/singleton.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace collection {

// The game's nine shader programs by id, their variants, and the location of
// every uniform and attribute any pass uses, per program, so draws index a
// table instead of asking the GL by name every frame.
//
// A variant is one of the nine built again from the same files with a few
// defines, for draws that need only part of what the program does: a
// software renderer runs every branch of a shader for every pixel, taken or
// not, so a program that leaves the branch out is the only way not to pay.
class ShaderCollection : public util::Singleton<ShaderCollection> {
    friend class util::Singleton<ShaderCollection>;

public:
    static constexpr int kProgramCount = 9;

    // Builds basePath + name under id, whether or not it builds. An id that
    // is already taken keeps its first program.
    void addProgram(int id, std::string name);
    // null for an id that was never added.
    ShaderProgram* getProgram(int id) const;
    // Builds the program of baseId's files again with defines (whole lines)
    // under the next free id above the nine, as variant key of baseId. A
    // base that is not registered or did not build, or a key it already
    // has, adds nothing.
    void addVariant(int baseId, int key, const std::string& defines);
    // baseId's variant for key, when it built; otherwise the base program
    // itself, which draws the same picture at the full cost.
    ShaderProgram* variant(ShaderProgram* base, int key) const;
    // Every variant of baseId, in key order.
    std::vector<ShaderProgram*> variantsOf(int baseId) const;
    // Fills both tables for every registered id; call after all nine
    // addProgram calls and the variants. A missing id keeps -1 everywhere.
    void locateVariables();

    // Rows for a program's id (0 to 8, or a variant's).
    // Before locateVariables, and for an id never registered, a row of -1.
    const UniformRow& uniforms(int id) const;
    const AttribRow& attribs(int id) const;

private:
    ShaderCollection() = default;

    std::map<int, std::unique_ptr<ShaderProgram>> programs; // owned, by id
    std::map<std::pair<int, int>, int> variantIds;          // by base id and key
    std::map<int, std::string> names;                       // file names by id
    std::string basePath = "Shaders/150/";                  // where the program files lie
    std::vector<UniformRow> uniformLocations;               // by id, then UniformSlot
    std::vector<AttribRow> attribLocations;                 // by id, then AttribSlot
};

} // namespace collection
