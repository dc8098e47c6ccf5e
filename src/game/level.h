#pragma once

#include "animation/animation.h"
#include "game/course.h"
#include "game/cue_judging.h"
#include "game/cue_reach.h"
#include "game/debris.h"
#include "game/level_sound.h"
#include "game/path.h"
#include "game/practice.h"
#include "game/rota.h"
#include "game/section_pace.h"
#include "game/timing_feedback.h"

#include <glm/glm.hpp>

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CueRecorder;
class ObjAnim;
class ParticleSystem;

namespace scenegraph {
class HitNode;
class Node;
} // namespace scenegraph

namespace view {
class Cam;
}

// One playable run of the song: the world around the scene file, the camera
// flown along the path with the music, a cue on the path for every recorded
// cue time, the judging of the player's clicks and the end of the game where
// the song's choice says (116 s for the shipped song).
class Level {
public:
    static constexpr int kExplosionSystems = 4;
    static constexpr int kTargetingSystems = 5;

    explicit Level(std::string name, game::SongChoice song = {});
    ~Level();
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

    // Builds the world, the cues and the debris, restarts the clock and starts
    // the song. Needs the shader programs and the scene's root.
    void init();
    // One frame of the game; the main loop skips it while paused.
    void update();
    // A frame while paused: the sound keeps reading the device's clock, so
    // the song's position is exact the moment it resumes, however long the
    // pause.
    void updatePaused();
    // The path position for a song time in seconds, kept in pathPosition.
    glm::vec4 pathPoint(double seconds);
    // Releases the sounds, the recorder, the particle systems and the arrays.
    void destroy();
    // Takes the level's cues out of the scene and gives their models and the
    // wreckage's hull back to the collection, while the context lives; the
    // world stays for the next level (the song library plays one song after
    // another in one world). Call before destroy when another level follows.
    void leaveScene();

    // Pauses or resumes the game and its song together (the pause key).
    void setPaused(bool pause);
    // The left button went down at pressedAtMs (steady clock), seen by this
    // frame's picking: its clicks are judged at the song position of that
    // moment on the next update.
    void notePress(double pressedAtMs);
    // In practice, the speed the song plays at from the end of what is
    // queued for playing (the - and + keys).
    void setPracticeSpeed(double speed);

    int hitCount() const { return track.hitCount; }
    // The cues the rating divides by: those the game announces and judges.
    int judgeableCueCount() const { return game::judgeableCues(cueCount); }
    const game::CueTrack& getTrack() const { return track; }
    // The cue time the judging uses (−1.0 where there is none).
    static double cueTime(int index);
    unsigned int getPositionMs() const { return positionMs; }
    // When (steady clock, ms) this frame's song position was read.
    double getPositionReadAtMs() const { return positionReadAtMs; }
    // Song ms per ms heard: below 1 in a slowed practice.
    double clockSpeed() const { return practice ? sound.speed() : 1.0; }
    // The song position the clicks are judged at: the player's latency
    // (judgingOffsetMs, ms heard) taken off, so a click counts as made that
    // much earlier.
    double judgingPositionMs() const { return positionMs - judgingOffsetMs * clockSpeed(); }
    // The song position the picture shows and the cues are announced at:
    // ahead of the sound by the screen's latency (visualOffsetMs).
    double drawnPositionMs() const { return positionMs + visualOffsetMs * clockSpeed(); }
    const game::TimingFeedback& getFeedback() const { return feedback; }
    // Every verdict of this run in the order it was given: what a saved play
    // keeps of each cue.
    const std::vector<game::Judgement>& judgements() const { return verdicts; }

    bool paused = true;                  // the per-frame update is held
    bool finished = false;               // the song went past its end
    std::string name;                    // "level1"
    game::PathPoints pathPoints{};       // the path's control points
    int pathPointCount = 0;              // entries of pathPoints
    int cueCount = 0;                    // cues built: the entries of the cue recording
    glm::vec4 pathPosition{0.0f};        // where the camera is this frame; the light follows it
    DebrisArrays debris;                 // the wreckage along the path and its hull
    animation::Animation pulseAnimation; // the cues' pulse on a beat
    std::vector<ObjAnim*> cues;          // the cue models, in time order; the scene holds them
    std::vector<scenegraph::Node*> cueSystems; // the cues' branches under "universum"
    game::LevelSound sound;                    // the song (the game's clock) and the stab
    double judgingOffsetMs = 0.0;              // the player's audio and input latency (offset_ms)
    double visualOffsetMs = 0.0;        // the screen's latency against the sound (visual_offset_ms)
    game::SongChoice song;              // which song plays and when the game ends
    std::optional<game::Course> course; // the chart's own flight; the shipped loop without
    // Set before init for a practice: the passage looped at its speed, no end
    // and no score.
    std::optional<game::PracticeRange> practice;

private:
    void buildLevel();
    void buildPulseAnimation();
    void buildParticleSystems();
    void buildCues();
    void buildCue(int index, const glm::vec3& jitter, const game::CueView& view);
    void flyAlongPath(double seconds);
    void followCourse();
    void announceAndLog();
    void logProximity(const ObjAnim& cue, const glm::mat4& view) const;
    void onTimeEvent(int event);
    // A practice loop begins again: its cues return unhit, the rest vanish.
    void restartLoop();
    void reportLoop() const;
    void explodeAt(scenegraph::TransformationNode& cue);
    void tell(const game::Judgement& judgement);
    void target(scenegraph::TransformationNode& cue);
    view::Cam* activeCam() const;

    game::CueTrack track;                             // what judging and announcing work on
    game::CueTimes cueTimes;                          // the time controller's cue times
    game::CueAction onHit;                            // explosion and flash at a hit cue
    game::CueAction onAnnounce;                       // a marker pointed at an announced cue
    game::JudgementAction onJudged;                   // every verdict, for the player's feedback
    game::TimingFeedback feedback;                    // how the player's clicks went
    unsigned int positionMs = 0;                      // the song position of this frame
    double positionReadAtMs = 0.0;                    // when it was read (steady clock)
    std::optional<double> pressJudgingMs;             // the judging clock at the last press
    std::unique_ptr<ParticleSystem> backgroundSystem; // the star field
    // Explosions for hits and markers for announced cues, each reused in turn.
    game::Rota<std::unique_ptr<ParticleSystem>, kExplosionSystems> explosionSystems;
    game::Rota<std::unique_ptr<ParticleSystem>, kTargetingSystems> targetingSystems;
    std::unique_ptr<CueRecorder> recorder; // appends beats on V once enabled
    // Every verdict so far, with room for every cue made at init: play never
    // allocates.
    std::vector<game::Judgement> verdicts;
    game::SectionPace sectionPace;              // the pace flown in each section of a course
    std::vector<scenegraph::HitNode*> hitNodes; // each cue's picking node, in cue order
    int practiceLoop = -1;                      // the loop the level last began
    int practisedCues = 0;                      // cues judged in each loop
    game::TimingStats loopStats;                // the hits of the loop under way
};
