#include "game/level.h"

#include "animation/animation_player.h"
#include "app/window.h"
#include "collection/vbo_collection.h"
#include "game/course_mood.h"
#include "game/cue_reach.h"
#include "game/cue_recorder.h"
#include "game/debris_field.h"
#include "game/path_flight.h"
#include "game/time_controller.h"
#include "game/world_scene.h"
#include "model/obj.h"
#include "model/obj_anim.h"
#include "platform/glfw_compat.h"
#include "platform/sound_clock.h"
#include "render/light.h"
#include "render/particle_manager.h"
#include "render/particle_system.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/disappearing_node.h"
#include "scenegraph/hit_node.h"
#include "scenegraph/root_node.h"
#include "util/random.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>

namespace {

constexpr const char* kCueModelPath = "Models/ani_sphere.obj";
constexpr const char* kCueTexturePath = "Sprites/sphere_rusty.tga";
constexpr int kCueShapes = 2;
constexpr const char* kHullModelPath = "Models/cube.obj";
constexpr const char* kHullTexturePath = "Sprites/hull17.tga";
constexpr const char* kExplosionSprite = "Sprites/splosion_part_sheet4.tga";
constexpr const char* kMarkerSprite = "Sprites/marker.tga";
constexpr float kPulseSeconds = 0.2f;
constexpr float kJitterRange = 5.0f;

// The flight's heading comes from the previous frame, whatever level flies.
game::PathFlight flight;

// Uniform in [-kJitterRange, kJitterRange) in steps of 0.005.
float drawJitter() {
    return static_cast<float>(util::gameRandom() % 2000 - 1000) / 1000.0f * kJitterRange;
}

animation::MorphKey morphKey(int frame) {
    animation::MorphKey key;
    key.frame = frame;
    key.duration = kPulseSeconds;
    return key;
}

} // namespace

Level::Level(std::string levelName, game::SongChoice songChoice)
    : name(std::move(levelName)), song(std::move(songChoice)) {
    cueTimes = [](int index) { return cueTime(index); };
    onHit = [this](scenegraph::TransformationNode& cue) { explodeAt(cue); };
    onAnnounce = [this](scenegraph::TransformationNode& cue) { target(cue); };
    onJudged = [this](const game::Judgement& judgement) { tell(judgement); };
}

Level::~Level() {
    destroy();
}

double Level::cueTime(int index) {
    return util::TimeController::getInstance()->cueTime(index);
}

void Level::init() {
    paused = false;
    finished = false;
    track.hitCount = 0;
    track.currentCue = 0;
    track.announceState = {};
    feedback = game::TimingFeedback{};
    verdicts.clear();
    course = game::loadCourse(game::kCourseFile, song.endMs, std::cerr);
    sectionPace = game::SectionPace{};
    pathPoints = course ? course->points : game::levelPath(song.endMs);
    pathPointCount = static_cast<int>(pathPoints.size());
    buildLevel();
    platform::glfwSetTime(0.0);
    util::TimeController::getInstance()->active = true;
    if (practice) {
        sound.startPractice(song.musicPath, *practice, std::cout);
    } else {
        sound.start(song.musicPath, paused, std::cout);
    }
    recorder = std::make_unique<CueRecorder>();
}

void Level::buildLevel() {
    game::loadWorldOnce();
    buildPulseAnimation();
    if (view::Cam* cam = activeCam()) {
        cam->reset();
    }
    buildParticleSystems();
    cueCount = util::TimeController::getInstance()->trackCounts[1];
    verdicts.reserve(static_cast<std::size_t>(std::max(cueCount, 0)));
    buildCues();
    debris.hull =
        collection::VBOCollection::getInstance()->createModel(kHullModelPath, kHullTexturePath);
    debris.hull->setDrawMode(game::kCueBuilt);
    if (course) {
        game::fillCourseDebris(debris, pathPoints, course->loudness);
    } else {
        game::fillDebris(debris, pathPoints);
    }
}

void Level::buildPulseAnimation() {
    pulseAnimation.morphSource.push_back(morphKey(0));
    pulseAnimation.morphSource.push_back(morphKey(1));
}

void Level::buildParticleSystems() {
    const glm::vec3 origin(0.0f);
    backgroundSystem = std::make_unique<ParticleSystem>(0, 10000, " ", 3, origin);
    ParticleManager::getInstance()->add(backgroundSystem.get(), "bg_imp_system");
    constexpr std::array<glm::vec3, kExplosionSystems> places{
        {{-2, 2, -10}, {2, 2, -10}, {2, -2, -10}, {-2, -2, -10}}};
    for (int i = 0; i < kExplosionSystems; ++i) {
        explosionSystems.items[static_cast<std::size_t>(i)] = std::make_unique<ParticleSystem>(
            1, 1000, kExplosionSprite, 1, places[static_cast<std::size_t>(i)]);
    }
    for (auto& system : targetingSystems.items) {
        system = std::make_unique<ParticleSystem>(1, 5, kMarkerSprite, 4, origin);
    }
}

void Level::buildCues() {
    std::vector<glm::vec3> jitters(static_cast<std::size_t>(std::max(cueCount, 0)));
    for (glm::vec3& jitter : jitters) {
        jitter.x = drawJitter();
        jitter.y = drawJitter();
        jitter.z = drawJitter();
    }
    cues.clear();
    track.cues.clear();
    hitNodes.clear();
    // A copy, so the window's own projection is built when the frame needs it.
    Window window = *scenegraph::RootNode::getInstance()->getWindow();
    const game::CueView view{window.getProjMat(), window.width, window.height};
    for (int i = 0; i < cueCount; ++i) {
        buildCue(i, jitters[static_cast<std::size_t>(i)], view);
    }
}

void Level::buildCue(int index, const glm::vec3& jitter, const game::CueView& view) {
    ObjAnim* cue = collection::VBOCollection::getInstance()->createAnimModel(
        kCueModelPath, kCueTexturePath, kCueShapes);
    cue->setDrawMode(game::kCueBuilt);
    // The raw loaded time: the last cue has no judging time but still a place.
    const double time =
        util::TimeController::getInstance()->cueTimes[static_cast<std::size_t>(index)];
    // The path point is also where the light starts, before the first frame.
    pathPoint((time + game::kCueLeadMs) / 1000.0);
    cue->setPosition(game::placeCue(pathPoints, time, glm::vec2(jitter), view));
    auto* hitNode = new scenegraph::HitNode("cue", cue);
    auto* system = new scenegraph::DisappearingNode("cueSystem");
    system->onHit = true;
    system->addChild(hitNode);
    scenegraph::Node* universe = scenegraph::RootNode::getInstance()->findNode(game::kUniverseNode);
    if (universe != nullptr) {
        universe->addChild(system);
    } else {
        scenegraph::RootNode::getInstance()->addChild(system);
    }
    cueSystems.push_back(system);
    cues.push_back(cue);
    track.cues.push_back(cue);
    hitNodes.push_back(hitNode);
}

glm::vec4 Level::pathPoint(double seconds) {
    pathPosition = game::pathPointAt(pathPoints, seconds);
    return pathPosition;
}

view::Cam* Level::activeCam() const {
    scenegraph::CameraNode* node = scenegraph::RootNode::getInstance()->activeCam;
    return node != nullptr ? node->getCam() : nullptr;
}

void Level::update() {
    positionMs = sound.update();
    positionReadAtMs = platform::sound::steadyNowMs();
    if (practice && sound.loop() != practiceLoop) {
        restartLoop();
    }
    flyAlongPath(drawnPositionMs() / 1000.0);
    followCourse();
    game::judgeHits(track, judgingPositionMs(), pressJudgingMs.value_or(judgingPositionMs()),
                    cueTimes, onHit, onJudged);
    pressJudgingMs.reset();
    if (!practice && (positionMs > song.endMs || sound.songIsOver())) {
        sound.setMusicPaused(true);
        paused = true;
        finished = true;
        sectionPace.finish(std::cout);
    }
    if (recorder != nullptr) {
        recorder->record(positionMs);
    }
    announceAndLog();
    const int event = util::TimeController::getInstance()->update(positionMs);
    if (event > 0) {
        onTimeEvent(event);
    }
}

void Level::flyAlongPath(double seconds) {
    const glm::vec4 point = pathPoint(seconds);
    if (view::Cam* cam = activeCam()) {
        flight.fly(*cam, point);
    }
}

// A course colours the light by its sections, pulses it on the beats and
// tells the pace of each section flown. The light runs ahead of the music
// as the cues' pulse does, so a flash shows as its beat is heard.
void Level::followCourse() {
    if (!course) {
        return;
    }
    const game::LightMood mood =
        game::courseMood(*course, util::TimeController::getInstance()->beatTimes,
                         drawnPositionMs() + util::TimeController::lookaheadMs);
    Light::getInstance()->setTints(mood.light, mood.glow);
    // The paces are measured over the whole flight, which a practice never makes.
    if (!practice) {
        sectionPace.follow(*course, drawnPositionMs(), glm::vec3(pathPosition), std::cout);
    }
}

void Level::announceAndLog() {
    view::Cam* cam = activeCam();
    const int slots = game::judgedSlots(track);
    for (int slot = 0; slot < slots; ++slot) {
        if (cam != nullptr) {
            logProximity(*cues[static_cast<std::size_t>(track.currentCue + slot)],
                         *cam->viewMatrix());
        }
        game::announceSlot(track, slot, drawnPositionMs(), cueTimes, onAnnounce);
    }
}

// A cue passing right by the eye is logged; it has no other effect.
void Level::logProximity(const ObjAnim& cue, const glm::mat4& view) const {
    const glm::vec3 eye(view * cue.globalModelMat[3]);
    const float depth = -eye.z;
    if (depth > 0.0f && depth < 1.0f && eye.x / depth > -30.0f && eye.x / depth < 30.0f &&
        eye.y / depth > -30.0f && eye.y / depth < 30.0f) {
        std::cout << "BOING....." << std::endl;
    }
}

void Level::onTimeEvent(int event) {
    if (event == util::beatEvent) {
        const int pulsed = game::pulsedCues(track);
        for (int i = 0; i < pulsed; ++i) {
            animation::AnimationPlayer::getInstance()->play(
                cues[static_cast<std::size_t>(track.currentCue + i)], &pulseAnimation);
        }
    } else if (event == util::cueEvent) {
        sound.playStab();
        game::advanceWindow(track);
    }
}

void Level::explodeAt(scenegraph::TransformationNode& cue) {
    ParticleSystem& system = *explosionSystems.take();
    system.target = &cue;
    system.active = true;
    ParticleManager::getInstance()->add(&system, "lolsplosion");
    glm::vec3 position;
    cue.getPosition(position);
    Light::getInstance()->addLight(position.x, position.y, position.z);
}

void Level::tell(const game::Judgement& judgement) {
    const glm::vec3 place(cues[static_cast<std::size_t>(judgement.cue)]->globalModelMat[3]);
    feedback.record(judgement, positionMs, place);
    verdicts.push_back(judgement);
    if (judgement.verdict == game::Verdict::Hit) {
        loopStats.addHit(judgement.offsetMs);
    } else {
        loopStats.addMiss();
    }
}

void Level::restartLoop() {
    if (practiceLoop >= 0) {
        reportLoop();
    }
    practiceLoop = sound.loop();
    util::TimeController& timer = *util::TimeController::getInstance();
    timer.restartAt(positionMs);
    track.currentCue = std::min(timer.nextIndex[1], std::max(track.cueCount() - 1, 0));
    track.announceState = {};
    practisedCues = 0;
    for (int i = 0; i < cueCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        // A cue's recorded time is on the event clock, which runs the
        // lookahead ahead of the song.
        const double heardMs = timer.cueTimes[index] - util::TimeController::lookaheadMs;
        const bool practised = i < judgeableCueCount() && practice->practises(heardMs);
        ObjAnim& cue = *cues[index];
        cue.status = practised ? scenegraph::STATUS_ACTIVE : game::kCueHitStatus;
        cue.setDrawMode(game::kCueBuilt);
        cue.setHit(false);
        hitNodes[index]->setHitable(true);
        practisedCues += practised ? 1 : 0;
    }
    loopStats = game::TimingStats{};
    pressJudgingMs.reset(); // its clicks were cleared with the loop's cues
    // A practice is never kept: its verdicts go with each loop, so the room
    // made at init lasts.
    verdicts.clear();
}

void Level::reportLoop() const {
    std::array<char, 96> timing{};
    std::snprintf(timing.data(), timing.size(), "mean %+.1f ms, spread %.1f ms", loopStats.meanMs(),
                  loopStats.spreadMs());
    std::cout << "PRACTICE: loop " << practiceLoop + 1 << " at " << game::speedText(sound.speed())
              << "x, hits " << loopStats.hits() << " of " << practisedCues << ", " << timing.data()
              << std::endl;
}

void Level::setPracticeSpeed(double speed) {
    if (practice) {
        practice->speed = speed;
        sound.setSpeed(speed);
    }
}

void Level::target(scenegraph::TransformationNode& cue) {
    ParticleSystem& system = *targetingSystems.take();
    system.target = &cue;
    system.active = true;
    ParticleManager::getInstance()->add(&system, "targetingsystem");
}

void Level::notePress(double pressedAtMs) {
    // A clock its caller sets moves in steps with no song time between them:
    // a press belongs to the step that judges it, as it always has for the
    // frame check's pictures.
    if (sound.isHeld()) {
        return;
    }
    pressJudgingMs = game::judgingMsAtPress(judgingPositionMs(), positionReadAtMs, pressedAtMs,
                                            clockSpeed(), paused);
}

void Level::updatePaused() {
    sound.keepDeviceTime();
}

void Level::setPaused(bool pause) {
    paused = pause;
    sound.setMusicPaused(pause);
}

void Level::leaveScene() {
    for (scenegraph::Node* system : cueSystems) {
        if (system->parent != nullptr) {
            system->parent->removeChild(system);
        }
        delete system;
    }
    cueSystems.clear();
    auto* models = collection::VBOCollection::getInstance();
    for (ObjAnim* cue : cues) {
        models->release(cue);
    }
    cues.clear();
    track.cues.clear();
    models->release(debris.hull);
    debris.hull = nullptr;
}

void Level::destroy() {
    sound.release();
    recorder.reset();
    debris = DebrisArrays{};
    cues.clear();
    track.cues.clear();
    backgroundSystem.reset();
    for (auto& system : explosionSystems.items) {
        system.reset();
    }
    for (auto& system : targetingSystems.items) {
        system.reset();
    }
    pulseAnimation = animation::Animation{};
    if (course) {
        Light::getInstance()->setTints(glm::vec3(1.0f), glm::vec3(1.0f));
    }
    course.reset();
    name.clear();
}
