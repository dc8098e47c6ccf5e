#include "render/particle_system.h"

#include "app/window.h"
#include "collection/shader_collection.h"
#include "collection/vbo_collection.h"
#include "model/attribute_binding.h"
#include "model/light_looks.h"
#include "model/obj.h"
#include "model/texture_modes.h"
#include "render/framebuffer_object.h"
#include "render/light.h"
#include "render/sprite_texture.h"
#include "render/texture_unit.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/root_node.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <iostream>
#include <iterator>

namespace {

using collection::AttribSlot;
using collection::UniformSlot;

// Where the impostor sphere sits in front of its own camera, and its size.
const glm::vec3 kImpostorPosition(0.0f, 0.0f, -6.0f);
const glm::vec3 kImpostorScale(0.7f);
// drawMode 5 lights a model from above the scene, as the impostor wants.
constexpr int kImpostorDrawMode = 5;
constexpr float kImpostorLightZ = 30.0f;
// Turned by one more degree at every render, for all background systems alike.
float impostorAngle = 0.1f;

GLuint makeBuffer(const std::vector<float>& data) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(data.size() * sizeof(float)), data.data(),
                 GL_STATIC_DRAW);
    return buffer;
}

// Same size as before, so the GL keeps its storage.
void refillBuffer(GLuint buffer, const std::vector<float>& data) {
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(data.size() * sizeof(float)),
                    data.data());
}

// The view translation of the camera the frame is seen from; identity
// before any camera exists.
glm::mat4 cameraTranslation() {
    const scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    if (root->activeCam == nullptr || root->activeCam->getCam() == nullptr) {
        return glm::mat4(1.0f);
    }
    return root->activeCam->getCam()->translationMat;
}

} // namespace

ParticleSystem::ParticleSystem(int pass, int count, const std::string& texturePath, int kind,
                               glm::vec3 position)
    : kind(kind), pass(pass), position(position), particles(static_cast<std::size_t>(count)),
      arrays(static_cast<std::size_t>(count)), count(count) {
    if (kind == kBackgroundParticles) {
        createImpostor();
    } else {
        loadTexture(texturePath);
    }
    initialiseParticles(kind, position, particles);
    fillParticleArrays(particles, arrays);
    positionBuffer = makeBuffer(arrays.positions);
    velocityBuffer = makeBuffer(arrays.velocities);
    paramBuffer = makeBuffer(arrays.params);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

ParticleSystem::~ParticleSystem() {
    std::cout << "Deleting Particle System." << std::endl;
    // The library builds every song's systems anew: what one leaves in the
    // driver would pile up song after song.
    const GLuint buffers[] = {positionBuffer, velocityBuffer, paramBuffer};
    glDeleteBuffers(static_cast<GLsizei>(std::size(buffers)), buffers);
    glDeleteTextures(1, &texture); // 0 for the star field, which GL passes over
    if (collection::VBOCollection::hasInstance()) {
        collection::VBOCollection::getInstance()->release(impostorModel);
    }
}

void ParticleSystem::createImpostor() {
    impostorTarget =
        std::make_unique<FramebufferObject>(kImpostorSize, kImpostorSize, 1, true, false);
    impostorModel = collection::VBOCollection::getInstance()->createModel(kImpostorModelPath,
                                                                          kImpostorTexturePath);
    impostorModel->setPosition(kImpostorPosition);
    impostorModel->setScale(kImpostorScale);
    impostorModel->setDrawMode(kImpostorDrawMode);
    // Complete from the start: the sprites may be drawn before the first
    // update renders the sphere.
    impostorTarget->buildMipmaps();
}

void ParticleSystem::loadTexture(const std::string& path) {
    texture = loadSpriteTexture(path, true);
    if (kind == kExplosionParticles) {
        m = 2.0f;
    } else if (kind == kCloudParticles) {
        m = 4.0f;
    }
}

void ParticleSystem::uploadArrays() {
    fillParticleArrays(particles, arrays);
    refillBuffer(positionBuffer, arrays.positions);
    refillBuffer(velocityBuffer, arrays.velocities);
    refillBuffer(paramBuffer, arrays.params);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void ParticleSystem::moveTo(float x, float y, float z) {
    position = glm::vec3(x, y, z);
    for (Particle& particle : particles) {
        particle.position = position;
        particle.startPosition = position;
    }
    fillParticleArrays(particles, arrays);
    refillBuffer(positionBuffer, arrays.positions);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

bool ParticleSystem::update(double dt) {
    time += static_cast<float>(dt);
    if (kind == kBackgroundParticles) {
        impostorModel->update(dt);
        renderImpostor();
    }
    if (particleLifeOver(kind, time)) {
        time = 0.0f;
        return false;
    }
    return true;
}

void ParticleSystem::renderImpostor() {
    const Light* lights = Light::getInstance();
    ShaderProgram* program =
        collection::ShaderCollection::getInstance()->getProgram(model::kLightProgramId);
    // The sphere is lit by the main light: without one (or without the
    // program) the last picture stays.
    if (lights->count() == 0 || program == nullptr) {
        return;
    }
    const glm::vec3 mainLight = lights->get(0).position;
    const collection::UniformRow& uniforms =
        collection::ShaderCollection::getInstance()->uniforms(program->getId());
    glUseProgram(program->getProgramId());
    glUniform3f(uniforms[UniformSlot::lightDirection], mainLight.x, mainLight.y, kImpostorLightZ);
    glUseProgram(0);
    impostorModel->rotate(impostorAngle, 0.0f, 1.0f, 0.0f);
    impostorAngle += 1.0f;

    const glm::mat4 view(1.0f);
    const glm::mat4 projection = glm::perspective(glm::radians(20.0f), 1.0f, 1.0f, 3.0f);
    glViewport(0, 0, impostorTarget->reducedWidth(), impostorTarget->reducedHeight());
    glBindFramebuffer(GL_FRAMEBUFFER, impostorTarget->getFboId());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    impostorModel->draw(&view, &projection, program, root->textureFilterMode, root->mipmapMode);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    impostorTarget->buildMipmaps();
    const Window* window = root->getWindow();
    glViewport(0, 0, window->width, window->height);
}

void ParticleSystem::followTarget() {
    if (target == nullptr) {
        return;
    }
    position = glm::vec3(target->globalModelMat[3]);
    initialiseParticles(kind, position, particles);
    uploadArrays();
}

bool ParticleSystem::draw(const glm::mat4* view, const glm::mat4* projection,
                          ShaderProgram* program, int drawPass, int textureFilterMode,
                          int mipmapMode) {
    if (drawPass != pass) {
        return false;
    }
    if (kind == kBackgroundParticles) {
        impostorTarget->bindColourKeepingMipmaps(program);
    } else if (kind == kMarkerParticles) {
        followTarget();
    }
    const auto* shaders = collection::ShaderCollection::getInstance();
    const collection::UniformRow& uniforms = shaders->uniforms(program->getId());
    const collection::AttribRow& attribs = shaders->attribs(program->getId());
    glUseProgram(program->getProgramId());
    if (kind != kBackgroundParticles) {
        bindSpriteTexture(uniforms[UniformSlot::particleTexture], textureFilterMode, mipmapMode);
    }
    setUniforms(uniforms, *view, *projection);

    model::AttributeBinding binding;
    binding.bind(attribs[AttribSlot::inPosition], positionBuffer, 3);
    binding.bind(attribs[AttribSlot::inVelocity], velocityBuffer, 3);
    binding.bind(attribs[AttribSlot::inParams], paramBuffer, 4);
    glDrawArrays(GL_POINTS, 0, count);

    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    binding.disableAll();
    glUseProgram(0);
    return true;
}

void ParticleSystem::bindSpriteTexture(GLint samplerLocation, int textureFilterMode,
                                       int mipmapMode) {
    glUniform1i(samplerLocation, 0);
    activateTextureUnit(0);
    glBindTexture(GL_TEXTURE_2D, texture);
    if (textureFilterMode != lastFilterMode || mipmapMode != lastMipmapMode) {
        lastFilterMode = textureFilterMode;
        lastMipmapMode = mipmapMode;
        model::applyTextureModes(textureFilterMode, mipmapMode);
    }
}

void ParticleSystem::setUniforms(const collection::UniformRow& uniforms, const glm::mat4& view,
                                 const glm::mat4& projection) {
    const glm::mat4 translation = cameraTranslation();
    const glm::mat4 inverseTranslation = glm::inverse(translation);
    glUniformMatrix4fv(uniforms[UniformSlot::mvMat], 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(uniforms[UniformSlot::projMat], 1, GL_TRUE, glm::value_ptr(projection));
    glUniformMatrix4fv(uniforms[UniformSlot::transMat], 1, GL_FALSE, glm::value_ptr(translation));
    glUniformMatrix4fv(uniforms[UniformSlot::invTransMat], 1, GL_FALSE,
                       glm::value_ptr(inverseTranslation));
    glUniform1f(uniforms[UniformSlot::updatetime], time);
    glUniform1f(uniforms[UniformSlot::m], m);
    glUniform1i(uniforms[UniformSlot::type], kind);
}
