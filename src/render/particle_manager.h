#pragma once

#include "util/singleton.h"

#include <glm/glm.hpp>

#include <string>
#include <vector>

class ParticleSystem;
class ShaderProgram;

// The particle systems running now, in the order they were registered. The
// manager ages and draws them but does not own them: the level builds and
// destroys its systems and registers them again to replay them.
class ParticleManager : public util::Singleton<ParticleManager> {
    friend class util::Singleton<ParticleManager>;

public:
    // One registration; a system registered twice has two entries.
    struct Entry {
        std::string name;
        ParticleSystem* system;
    };

    // Restarts the system's age and, when it is active, moves it to its
    // target before listing it. Always true.
    bool add(ParticleSystem* system, std::string name);
    // Ages every entry once; an entry whose system's life is over leaves the
    // list at once.
    void update(double dt);
    // Draws every entry built for this pass, in list order.
    void draw(const glm::mat4* view, const glm::mat4* projection, ShaderProgram* program, int pass,
              int textureFilterMode, int mipmapMode);

    const std::vector<Entry>& getEntries() const { return entries; }

private:
    ParticleManager();

    std::vector<Entry> entries; // listed systems, oldest first
};
