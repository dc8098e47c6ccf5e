#pragma once

#include "collection/shader_slots.h"
#include "platform/gl.h"

#include <array>

namespace model {

// Binds vertex buffers to the attributes a program has (a location of -1 is
// skipped) and disables exactly those again after the draw.
class AttributeBinding {
public:
    // Tightly packed floats, size per vertex.
    void bind(GLint location, GLuint buffer, GLint size);
    void disableAll();

private:
    std::array<GLint, collection::kAttribSlotCount> enabled{}; // locations to disable
    std::size_t enabledCount = 0;
};

} // namespace model
