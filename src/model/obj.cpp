#include "model/obj.h"

#include "collection/shader_collection.h"
#include "collection/texure_collection.h"
#include "model/attribute_binding.h"
#include "model/light_looks.h"
#include "model/model_buffers.h"
#include "model/texture_modes.h"
#include "platform/glfw_compat.h"
#include "render/light.h"

#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <iostream>
#include <map>

namespace model {
namespace {

using collection::UniformSlot;

// Suffixes of the texture levels after the whole texture path.
constexpr const char* kLevelSuffixes[] = {"", "_a", "_s", "_n"};
// Only three levels have a sampler in the shaders.
constexpr UniformSlot kSamplerSlots[] = {UniformSlot::tex0, UniformSlot::tex1, UniformSlot::tex2};
constexpr UniformSlot kExtraLightSlots[] = {UniformSlot::ld2, UniformSlot::ld3, UniformSlot::ld4,
                                            UniformSlot::ld5};
// drawMode 5 lifts every light to this height.
constexpr int kRaisedLightsMode = 5;
constexpr float kRaisedLightZ = 30.0f;
// A flash fades in over this many seconds, then out until its lifetime ends.
constexpr double kFadeIn = 0.3;

// What the last plain model's draw left in each program family's
// shared uniforms (by the id of the program the draw was asked for). A
// morphing model uploads none of its own and shows these, as it did when
// the whole family was one program.
std::map<int, OBJ::SharedUniforms> lastShared;

void activateUnit(int unit) {
    GLint active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    if (active != static_cast<GLint>(GL_TEXTURE0 + unit)) {
        glActiveTexture(static_cast<GLenum>(GL_TEXTURE0 + unit));
    }
}

} // namespace

OBJ::OBJ(ObjData* data) : scenegraph::TransformationNode("object", "obj"), objData(data) {}

OBJ::~OBJ() = default;

void OBJ::useMesh(const Mesh& mesh) {
    nrFaces = objData->nrFaces;
    positionBuffer = mesh.positions.front();
    normalBuffer = mesh.normals.front();
    texCoordBuffer = mesh.texCoords;
    indexBuffer = mesh.indices;
    boundCentre = mesh.centre;
    boundRadius = mesh.radius;
}

void OBJ::loadTextures(std::string texturePath, int variant) {
    auto* textures = collection::TexureCollection::getInstance();
    for (int level = 0; level < 4; ++level) {
        const GLuint texture = textures->load(texturePath + kLevelSuffixes[level], variant, level);
        if (texture != collection::TexureCollection::notLoaded && nrTexLevels < kMaxTexLevels) {
            texLevels[nrTexLevels++] = {texture, level};
        }
    }
}

bool OBJ::isDrawable() const {
    return drawStatus != 0 && status <= scenegraph::STATUS_DRAWABLE_MAX;
}

bool OBJ::outsideView(const ShaderProgram* program, const glm::mat4& modelView,
                      const glm::mat4& projMat) const {
    const collection::UniformRow& uniforms =
        collection::ShaderCollection::getInstance()->uniforms(program->getId());
    if (boundRadius < 0.0f || projMat[2][3] > -0.5f || uniforms[UniformSlot::mvMat] == -1 ||
        uniforms[UniformSlot::projMat] == -1) {
        return false;
    }
    const glm::vec3 centre(modelView * glm::vec4(boundCentre, 1.0f));
    const float scale =
        std::max({glm::length(glm::vec3(modelView[0])), glm::length(glm::vec3(modelView[1])),
                  glm::length(glm::vec3(modelView[2]))});
    const float radius = boundRadius * scale;
    // The shaders keep this near plane and drop the far one.
    const float near = projMat[3][2] / (projMat[2][2] - 1.0f);
    if (centre.z - radius > -near) {
        return true;
    }
    const glm::vec4 row0(projMat[0][0], projMat[1][0], projMat[2][0], projMat[3][0]);
    const glm::vec4 row1(projMat[0][1], projMat[1][1], projMat[2][1], projMat[3][1]);
    const glm::vec4 row3(projMat[0][3], projMat[1][3], projMat[2][3], projMat[3][3]);
    for (const glm::vec4& plane : {row3 + row0, row3 - row0, row3 + row1, row3 - row1}) {
        const glm::vec3 normal(plane);
        if (glm::dot(normal, centre) + plane.w < -radius * glm::length(normal)) {
            return true;
        }
    }
    return false;
}

ShaderProgram* OBJ::lookOf(ShaderProgram* program) const {
    if (program->getId() != kLightProgramId) {
        return program;
    }
    // The normal level is the third bound: only then does "tex2" find one.
    return collection::ShaderCollection::getInstance()->variant(
        program, lightLookKey(drawMode, nrTexLevels >= 3));
}

void OBJ::draw(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
               int filterMode, int mipmapMode) {
    if (!isDrawable()) {
        return;
    }
    ShaderProgram* look = lookOf(program);
    // Off the view, the vertices would only be shaded and clipped. What the
    // draw leaves for the morphing models after it is still left.
    if (outsideView(look, *viewMat * globalModelMat, *projMat)) {
        rememberSharedUniforms(program);
        return;
    }
    const DrawSetup setup =
        beginDraw(globalModelMat, *viewMat, *projMat, look, filterMode, mipmapMode);
    uploadSharedUniforms(rememberSharedUniforms(program), setup.uniforms);

    AttributeBinding binding;
    bindBuffers(binding, setup);
    drawAndFinish(binding, setup);
}

void OBJ::bindBuffers(AttributeBinding& binding, const DrawSetup& setup) const {
    binding.bind(setup.attribs[collection::AttribSlot::inPosition], positionBuffer, 3);
    binding.bind(setup.attribs[collection::AttribSlot::inNormal], normalBuffer, 3);
    binding.bind(setup.attribs[collection::AttribSlot::inTexCoord], texCoordBuffer, 2);
}

bool OBJ::beginPlacements(const glm::mat4& viewMat, const glm::mat4& projMat,
                          ShaderProgram* program, int filterMode, int mipmapMode) {
    if (!isDrawable()) {
        return false;
    }
    ShaderProgram* look = lookOf(program);
    DrawSetup setup = beginDraw(globalModelMat, viewMat, projMat, look, filterMode, mipmapMode);
    uploadSharedUniforms(rememberSharedUniforms(program), setup.uniforms);
    placements.emplace(
        Placements{viewMat, projMat, look, setup, std::make_unique<AttributeBinding>()});
    bindBuffers(*placements->binding, setup);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    return true;
}

void OBJ::drawAtPlace() {
    const glm::mat4 mv = placements->view * globalModelMat;
    if (outsideView(placements->program, mv, placements->projection)) {
        return;
    }
    glUniformMatrix4fv(placements->setup.uniforms[UniformSlot::mvMat], 1, GL_FALSE,
                       glm::value_ptr(mv));
    glDrawElements(GL_TRIANGLES, 3 * nrFaces, GL_UNSIGNED_INT, nullptr);
}

void OBJ::finishPlacements() {
    finish(*placements->binding, placements->setup);
    placements.reset();
}

OBJ::DrawSetup OBJ::beginDraw(const glm::mat4& modelMat, const glm::mat4& viewMat,
                              const glm::mat4& projMat, ShaderProgram* program, int filterMode,
                              int mipmapMode) {
    const auto* shaders = collection::ShaderCollection::getInstance();
    DrawSetup setup{shaders->uniforms(program->getId()), shaders->attribs(program->getId()), false};
    glUseProgram(program->getProgramId());
    setup.texturesBound = bindTextures(setup.uniforms, filterMode, mipmapMode);
    const glm::mat4 mv = viewMat * modelMat;
    glUniformMatrix4fv(setup.uniforms[UniformSlot::mvMat], 1, GL_FALSE, glm::value_ptr(mv));
    glUniformMatrix4fv(setup.uniforms[UniformSlot::vMat], 1, GL_FALSE, glm::value_ptr(viewMat));
    glUniformMatrix4fv(setup.uniforms[UniformSlot::projMat], 1, GL_TRUE, glm::value_ptr(projMat));
    glUniform1i(setup.uniforms[UniformSlot::mode], drawMode);
    glUniform3fv(setup.uniforms[UniformSlot::color], 1, glm::value_ptr(color));
    return setup;
}

void OBJ::drawAndFinish(AttributeBinding& binding, const DrawSetup& setup) const {
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    glDrawElements(GL_TRIANGLES, 3 * nrFaces, GL_UNSIGNED_INT, nullptr);
    finish(binding, setup);
}

void OBJ::finish(AttributeBinding& binding, const DrawSetup& setup) const {
    binding.disableAll();
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    if (setup.texturesBound) {
        // Every level's unit is emptied, not only the active one: a specular
        // or normal level left bound would show on the next model drawn, whose
        // sampler for that unit finds no level of its own there.
        for (int i = 0; i < nrTexLevels && i < 3; ++i) {
            activateUnit(texLevels[i].unit);
            glBindTexture(GL_TEXTURE_2D, 0);
        }
    }
    glUseProgram(0);
}

bool OBJ::bindTextures(const collection::UniformRow& uniforms, int filterMode, int mipmapMode) {
    if (nrTexLevels > 3) {
        std::cout << "WARNING: tex lvl specified is > 3" << std::endl;
    }
    bool bound = false;
    for (int i = 0; i < nrTexLevels && i < 3; ++i) {
        const GLint location = uniforms[kSamplerSlots[i]];
        if (location == -1) {
            continue;
        }
        const TexLevel& level = texLevels[i];
        glUniform1i(location, level.unit);
        activateUnit(level.unit);
        glBindTexture(GL_TEXTURE_2D, level.texture);
        bound = true;
        if (filterMode != lastFilterMode || mipmapMode != lastMipmapMode) {
            lastFilterMode = filterMode;
            lastMipmapMode = mipmapMode;
            applyTextureModes(filterMode, mipmapMode);
        }
    }
    return bound;
}

const OBJ::SharedUniforms& OBJ::rememberSharedUniforms(const ShaderProgram* family) {
    gatherLights();
    SharedUniforms& last = lastShared[family->getId()];
    const Light* lights = Light::getInstance();
    last = SharedUniforms{static_cast<int>(platform::glfwGetTime()),
                          lights->count(),
                          energies,
                          lightDirections,
                          lights->getLightTint(),
                          lights->getGlowTint()};
    return last;
}

void OBJ::replaySharedUniforms(const ShaderProgram* family,
                               const collection::UniformRow& uniforms) {
    const auto last = lastShared.find(family->getId());
    if (last != lastShared.end()) {
        uploadSharedUniforms(last->second, uniforms);
    }
}

void OBJ::uploadSharedUniforms(const SharedUniforms& shared,
                               const collection::UniformRow& uniforms) {
    glUniform1i(uniforms[UniformSlot::interpolate], 0);
    glUniform1i(uniforms[UniformSlot::updatetime], shared.time);
    glUniform1i(uniforms[UniformSlot::nrLights], shared.lightCount);
    glUniform1fv(uniforms[UniformSlot::energy], kMaxLights, shared.energies.data());
    glUniform3fv(uniforms[UniformSlot::ld], 1, glm::value_ptr(shared.directions[0]));
    glUniform3fv(uniforms[UniformSlot::lightTint], 1, glm::value_ptr(shared.lightTint));
    glUniform3fv(uniforms[UniformSlot::glowTint], 1, glm::value_ptr(shared.glowTint));
    for (int k = 1; k < shared.lightCount && k < kMaxLights; ++k) {
        glUniform3fv(uniforms[kExtraLightSlots[k - 1]], 1,
                     glm::value_ptr(shared.directions[static_cast<std::size_t>(k)]));
    }
}

void OBJ::gatherLights() {
    const Light* lights = Light::getInstance();
    for (int k = 0; k < lights->count() && k < kMaxLights; ++k) {
        const LightRecord& light = lights->get(k);
        lightDirections[k] = light.position;
        if (drawMode == kRaisedLightsMode) {
            lightDirections[k].z = kRaisedLightZ;
        }
        if (light.age > 0.0 && light.age < kFadeIn) {
            energies[k] = static_cast<float>(light.age / kFadeIn);
        } else if (light.age > kFadeIn) {
            energies[k] =
                static_cast<float>(1.0 - (light.age - kFadeIn) / (light.lifetime - kFadeIn));
        }
    }
}

} // namespace model
