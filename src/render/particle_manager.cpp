#include "render/particle_manager.h"

#include "render/particle_system.h"
#include "scenegraph/transformation_node.h"

namespace {

// Room for the game's load (the background, four explosions, five markers)
// and a few repeats, so registering during play does not allocate.
constexpr std::size_t kExpectedEntries = 32;

} // namespace

ParticleManager::ParticleManager() {
    entries.reserve(kExpectedEntries);
}

bool ParticleManager::add(ParticleSystem* system, std::string name) {
    system->time = 0.0f;
    if (system->active && system->target != nullptr) {
        const glm::mat4& placement = system->target->globalModelMat;
        system->moveTo(placement[3][0], placement[3][1], placement[3][2]);
    }
    entries.push_back({std::move(name), system});
    return true;
}

void ParticleManager::update(double dt) {
    std::size_t index = 0;
    while (index < entries.size()) {
        if (entries[index].system->update(dt)) {
            ++index;
        } else {
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(index));
        }
    }
}

void ParticleManager::draw(const glm::mat4* view, const glm::mat4* projection,
                           ShaderProgram* program, int pass, int textureFilterMode,
                           int mipmapMode) {
    for (const Entry& entry : entries) {
        entry.system->draw(view, projection, program, pass, textureFilterMode, mipmapMode);
    }
}
