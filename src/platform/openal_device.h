#pragma once

#include <memory>
#include <string>
#include <vector>

// One OpenAL device with its context, made current for the whole process:
// one device at a time, which is all the game ever opens.

struct ALCdevice_struct;
struct ALCcontext_struct;

namespace platform::sound {

class OpenAlDevice {
public:
    // deviceName empty: the default device. Null with *whyNot filled when no
    // device or context can be had.
    static std::unique_ptr<OpenAlDevice> open(const std::string& deviceName, std::string* whyNot);
    ~OpenAlDevice();
    OpenAlDevice(const OpenAlDevice&) = delete;
    OpenAlDevice& operator=(const OpenAlDevice&) = delete;

    // Up to count sources, fewer if the device has no more.
    std::vector<unsigned int> createSources(int count);
    void deleteSources(const std::vector<unsigned int>& sources);

    // The source's position that is being heard now, in ms from the start of
    // its first queued buffer: the mixer's offset less the device latency where
    // the driver can tell it.
    double heardOffsetMs(unsigned int source) const;

private:
    OpenAlDevice(ALCdevice_struct* device, ALCcontext_struct* context);

    ALCdevice_struct* device;   // the opened output
    ALCcontext_struct* context; // current while this object lives
    // alGetSourcedvSOFT when AL_SOFT_source_latency is there, else null.
    void (*getSourcedv)(unsigned int, int, double*) = nullptr;
};

} // namespace platform::sound
