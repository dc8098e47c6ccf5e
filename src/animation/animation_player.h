#pragma once

#include "animation/animation.h"
#include "util/singleton.h"

#include <cstddef>
#include <vector>

namespace scenegraph {
class TransformationNode;
}

namespace animation {

// Plays keyframe animations on scene nodes, one animation per node, stepping
// every playing node once per frame.
class AnimationPlayer : public util::Singleton<AnimationPlayer> {
    friend class util::Singleton<AnimationPlayer>;

public:
    // Starts `animation` from its source tracks on `node`, replacing what the
    // node played before. A first move keyframe marked fromCurrent starts at
    // the node's position. The player keeps its own copy of the tracks, so one
    // record may play on many nodes at once (the level pulses ten cues with
    // one) without them stepping each other. Null arguments are ignored.
    void play(scenegraph::TransformationNode* node, Animation* animation);

    // Steps every entry by frameTime seconds: scale, rotation, move, then
    // morph (morphing models only). An entry whose tracks have all run out is
    // dropped on the next update, without touching its node.
    void update(double frameTime);

    // Number of nodes being animated.
    std::size_t playingCount() const { return entries.size(); }

private:
    AnimationPlayer() = default;

    struct Entry {
        scenegraph::TransformationNode* node; // not owned
        Animation playing;                    // working copy stepped by update
    };

    void step(Entry& entry, double frameTime);

    std::vector<Entry> entries; // in the order they were started
};

} // namespace animation
