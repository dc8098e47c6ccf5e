#include "app/screens/song_session.h"

#include "animation/animation_player.h"
#include "app/config.h"
#include "app/frame_objects.h"
#include "app/level_steps.h"
#include "app/loop_state.h"
#include "app/settings.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "game/time_controller.h"
#include "platform/glfw_compat.h"
#include "render/particle_manager.h"
#include "scenegraph/root_node.h"

#include <iostream>

namespace fs = std::filesystem;

namespace {

// The recordings as the level found them, for the same level again.
void rewindRecordings() {
    util::TimeController* times = util::TimeController::getInstance();
    times->nextIndex = {};
    times->drift = 0.0;
    times->active = false;
}

} // namespace

SongSession::SongSession(fs::path folder, fs::path returnTo,
                         std::optional<game::PracticeRange> passage)
    : levelFolder(std::move(folder)), returnFolder(std::move(returnTo)), practice(passage) {}

SongSession::~SongSession() = default;

void SongSession::start(LoopState& loop, FrameObjects& objects) {
    std::error_code status;
    fs::current_path(levelFolder, status);
    if (status) {
        std::cerr << "cueflight: cannot enter " << levelFolder.string() << ": " << status.message()
                  << std::endl;
    }
    loadLevelConfig("config.cfg");
    // The song is read and hashed before it starts to play; a practice is
    // never kept.
    if (!practice) {
        scoreKeeping = prepareScoreKeeping(scoresPath, musicPath, demoMode, offsetMs, std::cerr);
    }
    util::TimeController::destroyInstance(); // the next one reads this folder's recordings
    startLevel(loop, objects);
}

void SongSession::startLevel(LoopState& loop, FrameObjects& objects) {
    // The select screen's star field and flight give way to the level's.
    ParticleManager::destroyInstance();
    animation::AnimationPlayer::destroyInstance();
    level = new Level("level" + std::to_string(++played),
                      game::SongChoice{musicPath, static_cast<unsigned int>(songEndMs)});
    level->judgingOffsetMs = offsetMs;
    level->visualOffsetMs = visualOffsetMs;
    level->practice = practice;
    level->init();
    util::LevelManager::getInstance()->addLevel(level);
    objects.debris.arrays = &level->debris;
    objects.debris.startIndex = 0;

    loop.scoreKeeping = scoreKeeping ? &*scoreKeeping : nullptr;
    loop.practice = practice.has_value();
    loop.accuracyLogged = false;
    loop.endScreen = false;
    loop.endOfSong = EndOfSong{};
    loop.messageOverlay.visible = false;
    loop.paused = false;
    loop.demo = game::DemoDriver{};
    if (demoMode) {
        startDemo(loop, *scenegraph::RootNode::getInstance());
    }
    // The level set the clock back to 0 as it started its song.
    loop.lastTime = platform::glfwGetTime();
    platform::forgetPendingInput();
}

void SongSession::restart(LoopState& loop, FrameObjects& objects) {
    endLevel(loop, objects);
    rewindRecordings();
    startLevel(loop, objects);
}

void SongSession::end(LoopState& loop, FrameObjects& objects) {
    if (level == nullptr) {
        return;
    }
    endLevel(loop, objects);
    util::TimeController::destroyInstance();
    std::error_code status;
    fs::current_path(returnFolder, status);
    platform::forgetPendingInput();
}

// The level goes, and what it left in the process-wide managers: the
// particle systems it listed and the animations of its cues.
void SongSession::endLevel(LoopState& loop, FrameObjects& objects) {
    ParticleManager::destroyInstance();
    Level* finished = util::LevelManager::getInstance()->releaseCurrentLevel();
    finished->leaveScene();
    finished->destroy();
    delete finished;
    level = nullptr;
    animation::AnimationPlayer::destroyInstance();
    objects.debris.arrays = nullptr;
    loop.scoreKeeping = nullptr;
    loop.practice = false;
    loop.endScreen = false;
    loop.messageOverlay.visible = false;
}
