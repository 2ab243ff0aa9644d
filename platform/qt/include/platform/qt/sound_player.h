// Playing a WAV sound (the bark) through ALSA.
//
// The WAV must be PCM, 8- or 16-bit, mono or stereo, at a sane rate (1,000 to 384,000
// frames a second); anything else, and a broken or truncated file, is silence. So is a
// missing sound device or one that fails: playing never reports anything to the user.
//
// The finder plays the bark without freezing its window:
//
//   SoundPlayer player;                        // owned by the window, for the whole run
//   player.Start(resources.Sound("BARKSOUND")); // returns at once; plays on its own thread
//
// Destroying the player while a sound plays stops the sound; it waits at most half a
// second for the sound's thread and otherwise lets it finish on its own, so the program
// can always end.
//
// `PlayWave` is the same on the calling thread: it returns when the sound has drained,
// when `stop` becomes true, or when the device has taken nothing for `stallLimit`.
// (A device that blocks inside the sound library itself cannot be interrupted there;
// `SoundPlayer` never lets that hold its owner.)
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <QByteArray>

namespace mvf::platform {

struct SoundOutput {
    // The ALSA PCM to play to. "null" discards the sound (tests; works without a card);
    // "file:'<path>',raw" writes the samples to a file.
    std::string device = "default";
    // A device that takes no samples for this long is given up.
    std::chrono::milliseconds stallLimit{2000};
};

enum class SoundResult {
    Played,       // drained to the end
    Silent,       // nothing to play: no bytes, or no samples in the file
    BadWave,      // not a WAV file we play
    NoDevice,     // the device could not be opened
    DeviceFailed, // the device refused the format or failed while playing
    Stopped,      // stopped on request
    Stalled,      // the device stopped taking samples
};

SoundResult PlayWave(const QByteArray& wav, const SoundOutput& output,
                     const std::atomic<bool>* stop = nullptr);

class SoundPlayer {
public:
    explicit SoundPlayer(SoundOutput output = {});
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Starts playing `wav` on a thread of its own and returns at once. While a sound is
    // still playing a new one is not started (false): barks do not pile up.
    bool Start(QByteArray wav);
    // Asks a playing sound to stop; returns at once.
    void Stop();
    // Waits at most `limit` for the last sound started to end: its result, or none while
    // it still plays (or when none was started).
    std::optional<SoundResult> Wait(std::chrono::milliseconds limit);

    struct Job; // one sound's shared state

private:
    SoundOutput output_;
    std::shared_ptr<Job> job_;
    std::thread thread_;
};

} // namespace mvf::platform
