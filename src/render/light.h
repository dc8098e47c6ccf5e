#pragma once

#include "platform/gl.h"
#include "util/singleton.h"

#include <glm/glm.hpp>

#include <vector>

class ShaderProgram;

// One light of the scene.
struct LightRecord {
    glm::vec3 position = glm::vec3(0.0f); // where the light is
    double age = 0.0;                     // seconds since it was added; the main light keeps -2
    double lifetime = 0.0;                // seconds it lasts; -1 for the main light
};

// The permanent main light (record 0) and the short flashes the game adds
// where a cue explodes. Models light themselves from the first five records.
class Light : public util::Singleton<Light> {
    friend class util::Singleton<Light>;

public:
    static constexpr double kFlashLifetime = 2.0;

    // A flash at (x, y, z), aged 0, lasting kFlashLifetime seconds.
    void addLight(float x, float y, float z);
    // Moves the main light and ages the flashes, dropping those past their
    // lifetime. The main light never ages.
    void update(glm::vec3 mainPosition, double frameTime);

    int count() const { return static_cast<int>(lights.size()); }

    // The colours a song's course gives the main light and the glow, as
    // factors of their own (1, 1, 1 without a course).
    void setTints(glm::vec3 light, glm::vec3 glow) {
        lightTint = light;
        glowTint = glow;
    }
    glm::vec3 getLightTint() const { return lightTint; }
    glm::vec3 getGlowTint() const { return glowTint; }
    const LightRecord& get(int index) const { return lights.at(index); }

    // The cube map made at start-up, reflected by the "light" program.
    void setEnvironmentTexture(GLuint cubeTexture) { environmentTexture = cubeTexture; }
    // Binds the environment cube map on unit 1 (left active) and points the
    // program's "envMap" sampler at it.
    void bindEnvironmentMap(ShaderProgram* program);

private:
    Light();

    std::vector<LightRecord> lights; // main light first, then flashes in order of adding
    GLuint environmentTexture = 0;   // bound by bindEnvironmentMap
    glm::vec3 lightTint{1.0f};       // the main light's colour factor
    glm::vec3 glowTint{1.0f};        // the bloom's colour factor
};
