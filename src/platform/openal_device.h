#pragma once

#include <cstdint>
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
    // its first queued buffer: the mixer's offset less the device latency. It
    // moves in steps, once per mixing period.
    double heardOffsetMs(unsigned int source) const;

    // The source's offset after the device's latest mix, in ms from the start
    // of its first queued buffer, with the device's clock at that same mix:
    // the pair is exact, where the offset alone lags by part of a period.
    struct Mix {
        double offsetMs;
        double clockMs;
    };
    Mix latestMix(unsigned int source) const;
    // The device's clock now (it too moves once per mixing period) and how
    // long a sample mixed now takes to be heard.
    struct Clock {
        double nowMs;
        double latencyMs;
    };
    Clock clock() const;

private:
    OpenAlDevice(ALCdevice_struct* device, ALCcontext_struct* context);

    ALCdevice_struct* device;   // the opened output
    ALCcontext_struct* context; // current while this object lives
    // The extensions' entry points, checked by open().
    void (*getSourcedv)(unsigned int, int, double*) = nullptr;
    void (*getInteger64v)(ALCdevice_struct*, int, int, std::int64_t*) = nullptr;
};

} // namespace platform::sound
