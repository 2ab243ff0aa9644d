// One WAV sound played to an ALSA device, every wait bounded.
#include <alsa/asoundlib.h>

#include <algorithm>
#include <mutex>

#include "platform/qt/sound_player.h"
#include "wave_file.h"

namespace mvf::platform {
namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned kLatencyMicroseconds = 100000;
constexpr int kPollMilliseconds = 20;

void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// A missing device is silence, not a line on standard error.
void QuietAlsa() {
    static std::once_flag once;
    std::call_once(once, [] { snd_lib_error_set_handler(&IgnoreAlsaError); });
}

struct Pcm {
    snd_pcm_t* handle = nullptr;
    ~Pcm() {
        if (handle) {
            snd_pcm_drop(handle);
            snd_pcm_close(handle);
        }
    }
};

bool Stopping(const std::atomic<bool>* stop) {
    return stop && stop->load();
}

SoundResult Write(snd_pcm_t* pcm, const WaveSound& sound, const SoundOutput& output,
                  const std::atomic<bool>* stop) {
    const char* next = sound.samples.data();
    snd_pcm_uframes_t left = sound.Frames();
    const snd_pcm_uframes_t chunk = std::max<snd_pcm_uframes_t>(sound.rate / 20, 1);
    Clock::time_point lastProgress = Clock::now();
    while (left > 0) {
        if (Stopping(stop)) return SoundResult::Stopped;
        const snd_pcm_sframes_t written = snd_pcm_writei(pcm, next, std::min(left, chunk));
        if (written > 0) {
            next += written * sound.FrameBytes();
            left -= static_cast<snd_pcm_uframes_t>(written);
            lastProgress = Clock::now();
        } else if (written == -EAGAIN || written == 0) {
            if (Clock::now() - lastProgress > output.stallLimit) return SoundResult::Stalled;
            snd_pcm_wait(pcm, kPollMilliseconds);
        } else if (snd_pcm_recover(pcm, static_cast<int>(written), 1) < 0) {
            return SoundResult::DeviceFailed;
        }
    }
    return SoundResult::Played;
}

SoundResult Drain(snd_pcm_t* pcm, const WaveSound& sound, const SoundOutput& output,
                  const std::atomic<bool>* stop) {
    snd_pcm_uframes_t bufferFrames = 0;
    snd_pcm_uframes_t periodFrames = 0;
    snd_pcm_get_params(pcm, &bufferFrames, &periodFrames);
    const auto buffered = std::chrono::milliseconds(1000 * bufferFrames / sound.rate);
    const Clock::time_point deadline = Clock::now() + buffered + output.stallLimit;
    // Non-blocking: the drain starts here and ends when the device leaves DRAINING.
    const int started = snd_pcm_drain(pcm);
    if (started < 0 && started != -EAGAIN) return SoundResult::DeviceFailed;
    while (snd_pcm_state(pcm) == SND_PCM_STATE_DRAINING) {
        if (Stopping(stop)) return SoundResult::Stopped;
        if (Clock::now() > deadline) return SoundResult::Stalled;
        snd_pcm_wait(pcm, kPollMilliseconds);
    }
    return SoundResult::Played;
}

} // namespace

SoundResult PlayWave(const QByteArray& wav, const SoundOutput& output,
                     const std::atomic<bool>* stop) {
    if (wav.isEmpty()) return SoundResult::Silent;
    const std::optional<WaveSound> sound =
        ParseWave(std::string_view(wav.constData(), static_cast<std::size_t>(wav.size())));
    if (!sound) return SoundResult::BadWave;
    if (sound->Frames() == 0) return SoundResult::Silent;

    QuietAlsa();
    Pcm pcm;
    if (snd_pcm_open(&pcm.handle, output.device.c_str(), SND_PCM_STREAM_PLAYBACK,
                     SND_PCM_NONBLOCK) < 0) {
        pcm.handle = nullptr;
        return SoundResult::NoDevice;
    }
    const snd_pcm_format_t format = sound->bits == 8 ? SND_PCM_FORMAT_U8 : SND_PCM_FORMAT_S16_LE;
    if (snd_pcm_set_params(pcm.handle, format, SND_PCM_ACCESS_RW_INTERLEAVED,
                           static_cast<unsigned>(sound->channels),
                           static_cast<unsigned>(sound->rate), 1, kLatencyMicroseconds) < 0)
        return SoundResult::DeviceFailed;
    const SoundResult written = Write(pcm.handle, *sound, output, stop);
    if (written != SoundResult::Played) return written;
    return Drain(pcm.handle, *sound, output, stop);
}

} // namespace mvf::platform
