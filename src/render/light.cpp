#include "render/light.h"

#include "collection/shader_collection.h"

Light::Light() {
    lights.push_back({glm::vec3(0.0f), -2.0, -1.0});
}

void Light::addLight(float x, float y, float z) {
    lights.push_back({glm::vec3(x, y, z), 0.0, kFlashLifetime});
}

void Light::update(glm::vec3 mainPosition, double frameTime) {
    lights[0].position = mainPosition;
    std::size_t index = 1;
    while (index < lights.size()) {
        LightRecord& flash = lights[index];
        flash.age += frameTime;
        if (flash.age > flash.lifetime) {
            lights.erase(lights.begin() + static_cast<std::ptrdiff_t>(index));
        } else {
            ++index;
        }
    }
}

void Light::bindEnvironmentMap(ShaderProgram* program) {
    const GLint location = collection::ShaderCollection::getInstance()->uniforms(
        program->getId())[collection::UniformSlot::envMap];
    GLint activeUnit = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &activeUnit);
    if (activeUnit != GL_TEXTURE1) {
        glActiveTexture(GL_TEXTURE1);
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, environmentTexture);
    glUseProgram(program->getProgramId());
    glUniform1i(location, 1);
    glUseProgram(0);
}
