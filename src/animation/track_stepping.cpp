#include "animation/track_stepping.h"

namespace animation {

float spinAccumulator = 0.0f;

namespace {

// How far a started keyframe has run, 0..1.
template <typename Key> float progress(const Key& key) {
    return static_cast<float>((key.elapsed - key.delay) / key.duration);
}

// The stepping shared by all four tracks. `running` gives the value of a
// keyframe under way, `finished` the value of one just dropped from the
// track (it receives the value so far).
template <typename Key, typename Value, typename Running, typename Finished>
std::optional<Value> stepTrack(std::deque<Key>& track, double frameTime, Running running,
                               Finished finished) {
    std::optional<Value> value;
    while (!track.empty()) {
        Key& key = track.front();
        key.elapsed += frameTime;
        if (key.elapsed < key.delay) {
            return value;
        }
        // A keyframe without duration has no middle to interpolate (it would
        // divide by zero): it ends as soon as it starts.
        if (key.duration > 0.0f && key.elapsed <= key.delay + key.duration) {
            return running(key);
        }
        const Key done = key;
        track.pop_front();
        value = finished(done, value.value_or(Value{}));
    }
    return value;
}

// Move and scale: linear from `from` to `to`; `last` keeps the latest
// interpolated value so that a following fromCurrent keyframe starts there.
template <typename Key>
std::optional<glm::vec3> stepLinearTrack(std::deque<Key>& track, glm::vec3& last,
                                         double frameTime) {
    return stepTrack<Key, glm::vec3>(
        track, frameTime,
        [&last](const Key& key) {
            const float u = progress(key);
            last = key.from * (1.0f - u) + key.to * u;
            return last;
        },
        [&track, &last](const Key& done, glm::vec3) {
            if (!track.empty() && track.front().fromCurrent) {
                track.front().from = last;
            }
            return done.to;
        });
}

} // namespace

std::optional<glm::vec3> stepScaleTrack(Animation& animation, double frameTime) {
    return stepLinearTrack(animation.scaleTrack, animation.scale, frameTime);
}

std::optional<glm::vec3> stepMoveTrack(Animation& animation, double frameTime) {
    return stepLinearTrack(animation.moveTrack, animation.translation, frameTime);
}

std::optional<glm::vec3> stepRotationTrack(std::deque<RotationKey>& track, double frameTime) {
    return stepTrack<RotationKey, glm::vec3>(
        track, frameTime,
        [frameTime](const RotationKey& key) {
            const glm::vec3 share = key.angles * static_cast<float>(frameTime / key.duration);
            spinAccumulator += share.z;
            return share;
        },
        [](const RotationKey& done, glm::vec3 value) {
            value.z = done.angles.z - spinAccumulator;
            spinAccumulator = 0.0f;
            return value;
        });
}

std::optional<MorphState> stepMorphTrack(std::deque<MorphKey>& track, double frameTime) {
    return stepTrack<MorphKey, MorphState>(
        track, frameTime,
        [](const MorphKey& key) {
            return MorphState{key.frame, progress(key)};
        },
        [](const MorphKey& done, MorphState) {
            return MorphState{done.frame, 1.0f};
        });
}

} // namespace animation
