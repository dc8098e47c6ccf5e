#include "app/screens/backdrop.h"

#include "app/frame_objects.h"
#include "app/level_steps.h"
#include "collection/vbo_collection.h"
#include "game/cue_judging.h"
#include "game/debris_field.h"
#include "game/level_sound.h"
#include "game/world_scene.h"
#include "model/obj.h"
#include "render/particle_manager.h"
#include "render/particle_system.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/root_node.h"

namespace {

// The level's own models and star field (see Level).
constexpr const char* kHullModelPath = "Models/cube.obj";
constexpr const char* kHullTexturePath = "Sprites/hull17.tga";
constexpr const char* kStarFieldName = "bg_imp_system";
constexpr int kStarCount = 10000;

} // namespace

Backdrop::Backdrop() : course(game::levelPath(game::SongChoice{}.endMs)) {
    game::loadWorldOnce();
    stars = std::make_unique<ParticleSystem>(0, kStarCount, " ", 3, glm::vec3(0.0f));
    wreckage.hull =
        collection::VBOCollection::getInstance()->createModel(kHullModelPath, kHullTexturePath);
    wreckage.hull->setDrawMode(game::kCueBuilt);
    game::fillDebris(wreckage, course);
}

Backdrop::~Backdrop() {
    collection::VBOCollection::getInstance()->release(wreckage.hull);
}

void Backdrop::show(FrameObjects& objects) {
    ParticleManager::getInstance()->add(stars.get(), kStarFieldName);
    objects.debris.arrays = &wreckage;
    objects.debris.startIndex = 0;
    seconds = 0.0;
}

void Backdrop::update(double elapsed, glm::vec3& lightPosition, FrameObjects& objects) {
    const double courseEnd = game::SongChoice{}.endMs / 1000.0;
    seconds += elapsed * kPace;
    if (seconds >= courseEnd) {
        seconds = 0.0; // round again, the wreckage ahead from the start
        objects.debris.startIndex = 0;
    }
    const glm::vec4 point = game::pathPointAt(course, seconds);
    if (scenegraph::CameraNode* camera = scenegraph::RootNode::getInstance()->activeCam) {
        if (view::Cam* cam = camera->getCam()) {
            flight.fly(*cam, point);
        }
    }
    lightPosition = glm::vec3(point) + lightOffsetFromPath;
}
