#include "app/library_loop.h"

#include "animation/animation_player.h"
#include "app/frame_objects.h"
#include "app/frame_passes.h"
#include "app/key_commands.h"
#include "app/loop_state.h"
#include "app/loop_steps.h"
#include "app/main_loop.h"
#include "app/passes/select_screen_pass.h"
#include "app/score_keeping.h"
#include "app/screens/backdrop.h"
#include "app/screens/calibration_screen.h"
#include "app/screens/screen_loop.h"
#include "app/screens/select_screen.h"
#include "app/screens/song_preview.h"
#include "app/screens/song_session.h"
#include "app/settings.h"
#include "app/stored_play.h"
#include "app/window.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "game/recording_format.h"
#include "game/time_controller.h"
#include "platform/glfw_compat.h"
#include "platform/music_folder.h"
#include "platform/sound_tags.h"
#include "platform/user_folders.h"
#include "render/light.h"
#include "render/particle_manager.h"
#include "scenegraph/root_node.h"
#include "store/score_store.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The shipped song's tempo, from its hand-made beat recording: the middle
// one of the gaps between beats.
double shippedTempo(const fs::path& runFolder) {
    std::ifstream beats(runFolder / game::kBeatRecordingFile);
    std::vector<double> times = util::TimeController::readRecording(beats);
    std::vector<double> gaps;
    for (std::size_t i = 1; i < times.size(); ++i) {
        if (times[i] > times[i - 1]) {
            gaps.push_back(times[i] - times[i - 1]);
        }
    }
    if (gaps.empty()) {
        return 0.0;
    }
    std::nth_element(gaps.begin(), gaps.begin() + static_cast<long>(gaps.size() / 2), gaps.end());
    return 60000.0 / gaps[gaps.size() / 2];
}

// The shipped song's row: its tags if it has any, else a name of its own.
library::SongRow shippedRow(const fs::path& runFolder) {
    library::SongRow row;
    row.tempoBpm = shippedTempo(runFolder);
    row.path = runFolder / game::SongChoice{}.musicPath;
    row.title = "No One Knows";
    row.artist = "cueflight";
    if (auto tags = platform::sound::readSoundTags(row.path)) {
        row.lengthMs = tags->lengthMs;
        row.title = tags->title.empty() ? row.title : tags->title;
        row.artist = tags->artist.empty() ? row.artist : tags->artist;
    }
    return row;
}

library::LibraryPlaces placesOf(const LibraryStart& start) {
    library::LibraryPlaces places;
    places.roots = start.folders;
    if (places.roots.empty()) {
        if (std::optional<fs::path> music = platform::musicFolder()) {
            places.roots.push_back(*music);
        }
    }
    if (std::optional<fs::path> cache =
            platform::makeUserFolder(platform::UserFolder::Cache, std::cerr)) {
        places.cacheFolder = *cache;
    }
    places.chartTool = start.programFolder / "cueflight-chart";
    places.shippedSong = shippedRow(start.runFolder);
    places.shippedFolder = start.runFolder;
    return places;
}

// ", practice 30.0-42.0 s at 0.75x": what a PLAY line adds for a practice.
std::string practiceText(const game::PracticeRange& practice) {
    char text[64] = "";
    std::snprintf(text, sizeof text, ", practice %.1f-%.1f s at %sx", practice.fromMs / 1000.0,
                  practice.toMs / 1000.0, game::speedText(practice.speed).c_str());
    return text;
}

// The store the bests and histories come from: where the plays are saved.
std::unique_ptr<store::ScoreStore> openScores() {
    std::optional<ScoreKeeping> keeping =
        prepareScoreKeeping(scoresPath, game::SongChoice{}.musicPath, false, 0, std::cerr);
    return keeping ? store::ScoreStore::open(keeping->storeFile, std::cerr) : nullptr;
}

} // namespace

class LibraryLoop {
public:
    LibraryLoop(LoopState& loop, FrameObjects& objects, const LibraryStart& start)
        : loop(loop), objects(objects), start(start), songs(placesOf(start)), scores(openScores()),
          screen(songs, scores.get()), context{loop, *scenegraph::RootNode::getInstance(),
                                               contextGLSwitches(), std::cout} {
        backdrop.show(objects);
        loop.lastTime = platform::glfwGetTime();
        platform::forgetPendingInput();
    }

    ~LibraryLoop() {
        if (session) {
            session->end(loop, objects);
        }
        preview.release();
        selectPass.release();
    }

    void frame() {
        if (session) {
            playFrame();
        } else {
            selectFrame();
        }
    }

    bool busy() const {
        const library::SongList& list = songs.list();
        return songs.scanning() ||
               std::any_of(list.rows().begin(), list.rows().end(), [&](const auto& row) {
                   return row.problem.empty() &&
                          row.chart(list.density) != library::ChartState::Charted;
               });
    }

private:
    void selectFrame() {
        platform::glfwGetMousePos(&loop.mouseX, &loop.mouseY);
        Window& window = *scenegraph::RootNode::getInstance()->getWindow();
        if (window.updateSize()) {
            resizeFrameObjects(objects, window.width, window.height);
        }
        loop.now = platform::glfwGetTime();
        const double elapsed = loop.now - loop.lastTime;
        songs.update(loop.now);
        const SelectAction action =
            screen.frame(readSelectInput(), loop.now, window.width, window.height);
        act(action);
        if (session) {
            return;
        }
        followPreview();
        backdrop.update(elapsed, loop.lightPosition, objects);
        Light::getInstance()->update(loop.lightPosition, elapsed);
        scenegraph::RootNode::getInstance()->update(elapsed);
        animation::AnimationPlayer::getInstance()->update(elapsed);
        ParticleManager::getInstance()->update(elapsed);
        if (std::optional<double> frameTime = frameToDraw(loop, elapsed)) {
            // Behind the list the world is a backdrop: no crosshair (the
            // mouse points at rows), nothing to pick, and no bloom, which
            // would only blur what the list is read against and costs a
            // software renderer more than the rest of the frame together.
            const RenderFlags levelFlags = loop.renderFlags;
            loop.renderFlags[Crosshair] = false;
            loop.renderFlags[Picker] = false;
            loop.renderFlags[Bloom] = false;
            renderFrame(loop, objects, elapsed,
                        [this](const FrameValues& values) { selectPass.draw(values, screen); });
            loop.renderFlags = levelFlags;
            loop.messageOverlay.presented = true;
            if (showfps) {
                showStatistics(loop, *frameTime);
            }
        }
        loop.lastTime = loop.now;
        // Q is a letter of a song's name here; only Escape and the window quit.
        loop.running = loop.running && platform::glfwGetWindowParam(platform::GLFW_OPENED) != 0;
    }

    void act(const SelectAction& action) {
        switch (action.kind) {
        case SelectAction::Kind::Quit:
            loop.running = false;
            break;
        case SelectAction::Kind::Play:
            preview.release(); // the level needs the sound device
            if (const library::SongRow* row = screen.library().list().chosenRow()) {
                std::cout << "PLAY: " << library::drawableText(row->name()) << " ("
                          << library::densityName(action.density) << ")"
                          << (action.practice ? practiceText(*action.practice) : "") << std::endl;
            }
            session =
                std::make_unique<SongSession>(action.folder, start.runFolder, action.practice);
            session->start(loop, objects);
            break;
        case SelectAction::Kind::Calibrate:
            calibrate();
            break;
        case SelectAction::Kind::StoredPlay:
            showStoredPlay(loop, *action.play);
            break;
        case SelectAction::Kind::None:
            if (!screen.showingStoredPlay() && loop.endScreen) {
                loop.endScreen = false;
                loop.messageOverlay.visible = false;
            }
            break;
        }
    }

    void followPreview() {
        const library::SongRow* row = screen.library().list().chosenRow();
        if (row == nullptr || !row->problem.empty() || screen.showingStoredPlay()) {
            preview.follow({}, 0.0, loop.now);
            return;
        }
        preview.follow(row->path, row->loudestMs(), loop.now);
    }

    // The calibration's own screen, then the list again with the latencies
    // it kept.
    void calibrate() {
        preview.release(); // the calibration's click needs the sound device
        CalibrationScreen calibration({loop.playerConfig, offsetMs, visualOffsetMs},
                                      ScreenName::Library, std::cout, std::cerr);
        if (runScreen(calibration) == ScreenName::Quit) {
            loop.running = false;
        }
        offsetMs = calibration.settings().offsetMs;
        visualOffsetMs = calibration.settings().visualOffsetMs;
        backdrop.show(objects);
        loop.lastTime = platform::glfwGetTime();
        platform::forgetPendingInput();
    }

    // A level's pass, with the library's keys: R plays the song again from
    // its start, and once its end screen shows (at any time in a practice,
    // which has none) Enter goes back.
    void playFrame() {
        runGamePass(loop, objects, commands, context);
        const int restarts = platform::takeKeyPresses(GLFW_KEY_R);
        const int backs =
            platform::takeKeyPresses(GLFW_KEY_ENTER) + platform::takeKeyPresses(GLFW_KEY_KP_ENTER);
        if (!loop.running) {
            return;
        }
        if (restarts > 0) {
            session->restart(loop, objects);
        } else if (backs > 0 && (loop.endScreen || loop.practice)) {
            session->end(loop, objects);
            session.reset();
            backdrop.show(objects);
            screen.back();
            if (const library::SongRow* row = screen.library().list().chosenRow()) {
                std::cout << "SELECT: " << library::drawableText(row->name()) << std::endl;
            }
            loop.lastTime = platform::glfwGetTime();
        }
    }

    LoopState& loop;
    FrameObjects& objects;
    const LibraryStart& start;
    library::SongLibrary songs;
    std::unique_ptr<store::ScoreStore> scores;
    SelectScreen screen;
    Backdrop backdrop;
    SongPreview preview;
    SelectScreenPass selectPass;
    KeyCommands commands;
    CommandContext context;
    std::unique_ptr<SongSession> session;
};

void runLibrary(LoopState& loop, FrameObjects& objects, const LibraryStart& start) {
    LibraryFrames library(loop, objects, start);
    while (loop.running) {
        library.frame();
    }
}

LibraryFrames::LibraryFrames(LoopState& state, FrameObjects& objects, const LibraryStart& start) {
    // Each song plays from its own folder: a scores= path of the player's
    // is taken from the game's run folder, where the library starts.
    if (scoresPath && !scoresPath->empty()) {
        scoresPath = fs::absolute(*scoresPath).string();
    }
    loop = std::make_unique<LibraryLoop>(state, objects, start);
}

LibraryFrames::~LibraryFrames() = default;

void LibraryFrames::frame() {
    loop->frame();
}

bool LibraryFrames::busy() const {
    return loop->busy();
}
