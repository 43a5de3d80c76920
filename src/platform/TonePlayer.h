#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace nt {

inline constexpr unsigned kToneSampleRate = 48000;

// A tone as 16-bit mono samples: a sine of the frequency for the length, with short ramps at
// both ends so it starts and stops without a click. Nothing for a length or frequency <= 0.
std::vector<int16_t> SineSamples(int frequencyHz, int milliseconds, unsigned sampleRate);

// Plays the samples on the sound device "default" and returns when they are heard; false when
// there is no usable device (or the build has no ALSA).
bool PlayOnSoundDevice(std::span<const int16_t> samples, unsigned sampleRate);

void SleepMilliseconds(int milliseconds);

// A tone of a given frequency and length that blocks for its length. Without a sound device the
// fallback signal sounds instead, followed by a wait of the tone's length, so callers that pace
// themselves by the tone keep their timing.
class TonePlayer {
  public:
    using Device = std::function<bool(std::span<const int16_t>, unsigned)>;
    using Wait = std::function<void(int milliseconds)>;

    explicit TonePlayer(std::function<void()> fallback, Device device = PlayOnSoundDevice,
                        Wait wait = SleepMilliseconds)
        : fallback_(std::move(fallback)), device_(std::move(device)), wait_(std::move(wait)) {}

    void Play(int frequencyHz, int milliseconds);

  private:
    std::function<void()> fallback_;
    Device device_;
    Wait wait_;
};

}  // namespace nt
