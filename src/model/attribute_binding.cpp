#include "model/attribute_binding.h"

namespace model {

void AttributeBinding::bind(GLint location, GLuint buffer, GLint size) {
    if (location == -1 || enabledCount == enabled.size()) {
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(static_cast<GLuint>(location), size, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    enabled[enabledCount++] = location;
}

void AttributeBinding::disableAll() {
    for (std::size_t i = 0; i < enabledCount; ++i) {
        glDisableVertexAttribArray(static_cast<GLuint>(enabled[i]));
    }
    enabledCount = 0;
}

} // namespace model
