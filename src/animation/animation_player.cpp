#include "animation/animation_player.h"

#include "animation/track_stepping.h"
#include "model/obj_anim.h"
#include "scenegraph/transformation_node.h"

#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>

namespace animation {

void AnimationPlayer::play(scenegraph::TransformationNode* node, Animation* animation) {
    if (node == nullptr || animation == nullptr) {
        return;
    }
    std::erase_if(entries, [node](const Entry& entry) { return entry.node == node; });
    animation->rewind();
    if (!animation->moveTrack.empty() && animation->moveTrack.front().fromCurrent) {
        node->getPosition(animation->moveTrack.front().from);
    }
    entries.push_back({node, *animation});
}

void AnimationPlayer::update(double frameTime) {
    for (std::size_t i = 0; i < entries.size();) {
        if (entries[i].playing.finished()) {
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        step(entries[i], frameTime);
        ++i;
    }
}

void AnimationPlayer::step(Entry& entry, double frameTime) {
    scenegraph::TransformationNode& node = *entry.node;
    Animation& playing = entry.playing;
    const glm::mat4 identity(1.0f);
    if (std::optional<glm::vec3> scale = stepScaleTrack(playing, frameTime)) {
        node.scaleMat = glm::scale(identity, *scale);
    }
    if (std::optional<glm::vec3> angles = stepRotationTrack(playing.rotationTrack, frameTime)) {
        node.rotate(angles->x, 1.0f, 0.0f, 0.0f);
        node.rotate(angles->y, 0.0f, 1.0f, 0.0f);
        node.rotate(angles->z, 0.0f, 0.0f, 1.0f);
    }
    if (std::optional<glm::vec3> position = stepMoveTrack(playing, frameTime)) {
        node.translationMat = glm::translate(identity, *position);
    }
    std::optional<MorphState> morph = stepMorphTrack(playing.morphTrack, frameTime);
    // Only a morphing model has shapes; a morph key on any other node is stepped
    // but has nothing to act on.
    if (auto* morphing = dynamic_cast<ObjAnim*>(&node); morph && morphing != nullptr) {
        morphing->currentFrame = morph->frame;
        morphing->dt = morph->factor;
    }
}

} // namespace animation
