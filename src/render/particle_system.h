#pragma once

#include "collection/shader_slots.h"
#include "platform/gl.h"
#include "render/particle_records.h"

#include <glm/glm.hpp>

#include <memory>
#include <string>
#include <vector>

class FramebufferObject;
class ShaderProgram;
namespace model {
class OBJ;
}
namespace scenegraph {
class TransformationNode;
}

// A cloud of particles whose motion the "ps" shader computes from the
// system's age: the CPU uploads the arrays once (markers every frame, being
// only five points) and each frame costs one draw call.
class ParticleSystem {
public:
    // The impostor sphere of the background field and where it is drawn.
    static constexpr const char* kImpostorModelPath = "Models/ani_sphere_2.obj";
    static constexpr const char* kImpostorTexturePath = "Sprites/metal18.tga";
    static constexpr int kImpostorSize = 256;

    // Kinds 1, 2 and 4 load their sprite from texturePath; the background
    // (kind 3) renders a spinning sphere instead and ignores the path.
    ParticleSystem(int pass, int count, const std::string& texturePath, int kind,
                   glm::vec3 position);
    // The GL buffers, the texture and the impostor model stay: the GL and the
    // model collection release them at exit.
    ~ParticleSystem();
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // Every particle restarts from the new emitter.
    void moveTo(float x, float y, float z);
    // Ages the system by dt seconds; false once its life is over, which also
    // sets its age back to 0.
    bool update(double dt);
    // Draws only in the system's own pass; returns whether it drew.
    bool draw(const glm::mat4* view, const glm::mat4* projection, ShaderProgram* program, int pass,
              int textureFilterMode, int mipmapMode);

    const std::vector<Particle>& getParticles() const { return particles; }
    const ParticleArrays& getArrays() const { return arrays; }
    GLuint getTexture() const { return texture; }
    FramebufferObject* getImpostorTarget() const { return impostorTarget.get(); }
    model::OBJ* getImpostorModel() const { return impostorModel; }

    int kind;           // what the shader draws, see ParticleKind
    int pass;           // the frame pass that draws the system (0 or 1)
    glm::vec3 position; // the emitter
    std::unique_ptr<FramebufferObject> impostorTarget; // background: the sphere's frame buffer
    model::OBJ* impostorModel = nullptr;               // background: the sphere; the collection's
    scenegraph::TransformationNode* target = nullptr;  // the node followed; set by the game
    bool active = false;             // registering an active system moves it to its target
    std::vector<Particle> particles; // the CPU records
    ParticleArrays arrays;           // what the three buffers hold
    int count;                       // number of particles
    float time = 0.0f;               // age in seconds; the shader animates from it
    GLuint texture = 0;              // the sprite (kinds 1, 2, 4)
    float m = 1.0f;                  // sprite-sheet cells per side, for the shader
    GLuint positionBuffer = 0;       // arrays.positions on the GPU
    GLuint velocityBuffer = 0;       // arrays.velocities on the GPU
    GLuint paramBuffer = 0;          // arrays.params on the GPU
    int lastFilterMode = 0;          // texture modes last applied to texture, so a frame
    int lastMipmapMode = 0;          // with unchanged modes leaves the texture alone

private:
    void createImpostor();
    void loadTexture(const std::string& path);
    void uploadArrays();
    void renderImpostor();
    void followTarget();
    void bindSpriteTexture(GLint samplerLocation, int textureFilterMode, int mipmapMode);
    void setUniforms(const collection::UniformRow& uniforms, const glm::mat4& view,
                     const glm::mat4& projection);
};
