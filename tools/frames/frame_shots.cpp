#include "frames/frame_shots.h"

#include "platform/glfw_compat.h"

#include <cstdio>

namespace frames {

namespace {

RenderFlags fullRenderWith(RenderFlag extra) {
    RenderFlags flags{};
    flags[FullRender] = true;
    flags[ReservedFlag] = true;
    flags[extra] = true;
    return flags;
}

std::vector<SwitchSet> everyDay() {
    RenderFlags all{};
    all.fill(true);
    return {{"default", initialRenderFlags}, {"all", all}};
}

// The full render with each effect or feature alone.
std::vector<SwitchSet> eachAlone() {
    std::vector<SwitchSet> sets = everyDay();
    sets.push_back({"full", fullRenderWith(FullRender)});
    sets.push_back({"lightshafts", fullRenderWith(Lightshafts)});
    sets.push_back({"bloom", fullRenderWith(Bloom)});
    sets.push_back({"lensflare", fullRenderWith(Lensflare)});
    sets.push_back({"motionblur", fullRenderWith(MotionBlur)});
    sets.push_back({"particles", fullRenderWith(ParticleSystems)});
    sets.push_back({"envmap", fullRenderWith(EnvironmentMapping)});
    return sets;
}

// The default switches under wireframe (F3) and without blending (F9).
std::vector<SwitchSet> glModes() {
    std::vector<SwitchSet> sets = everyDay();
    sets.push_back({"wireframe", initialRenderFlags, GLFW_KEY_F3});
    sets.push_back({"opaque", initialRenderFlags, GLFW_KEY_F9});
    return sets;
}

} // namespace

std::vector<Moment> chosenMoments() {
    return {{6000, everyDay()},
            {15000, eachAlone()},
            {30000, glModes()},
            {55000, eachAlone()},
            {90000, glModes()}};
}

std::string shotFileName(const Moment& moment, const SwitchSet& set) {
    char seconds[16];
    std::snprintf(seconds, sizeof seconds, "%04us", moment.positionMs / 1000);
    return std::string(seconds) + "_" + set.name + ".png";
}

} // namespace frames
