#include "platform/openal_device.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

namespace platform::sound {

std::unique_ptr<OpenAlDevice> OpenAlDevice::open(const std::string& deviceName,
                                                 std::string* whyNot) {
    ALCdevice* device = alcOpenDevice(deviceName.empty() ? nullptr : deviceName.c_str());
    if (device == nullptr) {
        *whyNot = deviceName.empty() ? "the default audio device does not open"
                                     : "audio device \"" + deviceName + "\" does not open";
        return nullptr;
    }
    // The game's clock is the music being heard, which takes the mixer's
    // offset paired with the device's clock (OpenAL Soft has both).
    if (alcIsExtensionPresent(device, "ALC_SOFT_device_clock") == ALC_FALSE) {
        alcCloseDevice(device);
        *whyNot = "the audio device cannot tell when it plays (no ALC_SOFT_device_clock)";
        return nullptr;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
        if (context != nullptr) {
            alcDestroyContext(context);
        }
        alcCloseDevice(device);
        *whyNot = "no audio context on the device";
        return nullptr;
    }
    if (alIsExtensionPresent("AL_SOFT_source_latency") == AL_FALSE) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        alcCloseDevice(device);
        *whyNot = "the audio device cannot tell when it plays (no AL_SOFT_source_latency)";
        return nullptr;
    }
    return std::unique_ptr<OpenAlDevice>(new OpenAlDevice(device, context));
}

OpenAlDevice::OpenAlDevice(ALCdevice* device, ALCcontext* context)
    : device(device), context(context),
      getSourcedv(reinterpret_cast<LPALGETSOURCEDVSOFT>(alGetProcAddress("alGetSourcedvSOFT"))),
      getInteger64v(reinterpret_cast<LPALCGETINTEGER64VSOFT>(
          alcGetProcAddress(device, "alcGetInteger64vSOFT"))) {}

OpenAlDevice::~OpenAlDevice() {
    if (alcGetCurrentContext() == context) {
        alcMakeContextCurrent(nullptr);
    }
    alcDestroyContext(context);
    alcCloseDevice(device);
}

std::vector<unsigned int> OpenAlDevice::createSources(int count) {
    std::vector<unsigned int> sources;
    alGetError();
    for (int i = 0; i < count; ++i) {
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) {
            break;
        }
        // Music and effects are not placed in space: play them as recorded.
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
        sources.push_back(source);
    }
    return sources;
}

void OpenAlDevice::deleteSources(const std::vector<unsigned int>& sources) {
    alDeleteSources(static_cast<ALsizei>(sources.size()), sources.data());
}

double OpenAlDevice::heardOffsetMs(unsigned int source) const {
    ALdouble offsetAndLatency[2] = {0.0, 0.0};
    getSourcedv(source, AL_SEC_OFFSET_LATENCY_SOFT, offsetAndLatency);
    return 1000.0 * (offsetAndLatency[0] - offsetAndLatency[1]);
}

OpenAlDevice::Mix OpenAlDevice::latestMix(unsigned int source) const {
    ALdouble offsetAndClock[2] = {0.0, 0.0};
    getSourcedv(source, AL_SEC_OFFSET_CLOCK_SOFT, offsetAndClock);
    return {1000.0 * offsetAndClock[0], 1000.0 * offsetAndClock[1]};
}

OpenAlDevice::Clock OpenAlDevice::clock() const {
    ALCint64SOFT clockAndLatencyNs[2] = {0, 0};
    getInteger64v(device, ALC_DEVICE_CLOCK_LATENCY_SOFT, 2, clockAndLatencyNs);
    return {1.0e-6 * static_cast<double>(clockAndLatencyNs[0]),
            1.0e-6 * static_cast<double>(clockAndLatencyNs[1])};
}

} // namespace platform::sound
