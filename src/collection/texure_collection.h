#pragma once

#include "platform/gl.h"
#include "util/singleton.h"

#include <map>
#include <string>

namespace collection {

// Loads each TGA texture once per variant and hands out its GL name after.
class TexureCollection : public util::Singleton<TexureCollection> {
    friend class util::Singleton<TexureCollection>;

public:
    // What load returns for a file that cannot be read.
    static constexpr GLuint notLoaded = static_cast<GLuint>(-1);

    // variant only takes part in the key; level 0 (the base texture) is the
    // only level whose absence is reported. A failed load is not remembered,
    // so a later request tries the file again.
    GLuint load(std::string path, int variant, int level);

private:
    TexureCollection() = default;

    std::map<std::string, GLuint> textures; // path + decimal variant -> texture name
};

} // namespace collection
