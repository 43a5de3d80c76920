#include "platform/TonePlayer.h"

#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>

#if defined(NORDTELLER_HAVE_ALSA)
#include <alsa/asoundlib.h>
#endif

namespace nt {

namespace {

constexpr double kAmplitude = 0.4 * 32767.0;
constexpr int kRampMilliseconds = 5;

#if defined(NORDTELLER_HAVE_ALSA)
// ALSA reports a missing card on stderr by itself; the caller falls back, so stay quiet.
void SilentAlsaError(const char*, int, const char*, int, const char*, ...) {}

bool WriteAll(snd_pcm_t* pcm, std::span<const int16_t> samples) {
    while (!samples.empty()) {
        snd_pcm_sframes_t written = snd_pcm_writei(pcm, samples.data(), samples.size());
        if (written < 0) {
            if (snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0) {
                return false;
            }
            continue;
        }
        samples = samples.subspan(static_cast<size_t>(written));
    }
    return true;
}
#endif

}  // namespace

std::vector<int16_t> SineSamples(int frequencyHz, int milliseconds, unsigned sampleRate) {
    if (frequencyHz <= 0 || milliseconds <= 0 || sampleRate == 0) {
        return {};
    }
    const size_t count = static_cast<size_t>(sampleRate) * static_cast<size_t>(milliseconds) / 1000;
    const size_t ramp =
        std::min(count / 2, static_cast<size_t>(sampleRate) * kRampMilliseconds / 1000);
    std::vector<int16_t> samples(count);
    const double step = 2.0 * std::numbers::pi * frequencyHz / sampleRate;
    for (size_t i = 0; i < count; ++i) {
        double gain = 1.0;
        if (i < ramp) {
            gain = static_cast<double>(i) / static_cast<double>(ramp);
        } else if (count - 1 - i < ramp) {
            gain = static_cast<double>(count - 1 - i) / static_cast<double>(ramp);
        }
        samples[i] = static_cast<int16_t>(std::lround(kAmplitude * gain * std::sin(step * i)));
    }
    return samples;
}

bool PlayOnSoundDevice(std::span<const int16_t> samples, unsigned sampleRate) {
#if defined(NORDTELLER_HAVE_ALSA)
    snd_lib_error_set_handler(SilentAlsaError);
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0) < 0) {
        return false;
    }
    bool ok = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                                 sampleRate, 1, 100000) >= 0 &&
              WriteAll(pcm, samples);
    if (ok) {
        snd_pcm_drain(pcm);
    }
    snd_pcm_close(pcm);
    return ok;
#else
    (void)samples;
    (void)sampleRate;
    return false;
#endif
}

void SleepMilliseconds(int milliseconds) {
    if (milliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
}

void TonePlayer::Play(int frequencyHz, int milliseconds) {
    std::vector<int16_t> samples = SineSamples(frequencyHz, milliseconds, kToneSampleRate);
    if (!samples.empty() && device_ && device_(samples, kToneSampleRate)) {
        return;
    }
    if (fallback_) {
        fallback_();
    }
    if (wait_) {
        wait_(milliseconds);
    }
}

}  // namespace nt
