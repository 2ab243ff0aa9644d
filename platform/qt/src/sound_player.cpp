// Sounds played on a thread of their own, so the window that asked goes on.
#include <condition_variable>
#include <mutex>

#include "platform/qt/sound_player.h"

namespace mvf::platform {

struct SoundPlayer::Job {
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable ended;
    std::optional<SoundResult> result;
};

namespace {

// How long the owner waits for a stopped sound's thread before letting it go.
constexpr std::chrono::milliseconds kStopGrace{500};

} // namespace

SoundPlayer::SoundPlayer(SoundOutput output) : output_(std::move(output)) {}

SoundPlayer::~SoundPlayer() {
    if (!job_) return;
    Stop();
    if (Wait(kStopGrace)) {
        thread_.join();
    } else {
        // Held inside the sound library; it owns a share of everything it uses.
        thread_.detach();
    }
}

bool SoundPlayer::Start(QByteArray wav) {
    if (job_) {
        std::lock_guard lock(job_->mutex);
        if (!job_->result) return false;
    }
    if (thread_.joinable()) thread_.join();
    auto job = std::make_shared<Job>();
    job_ = job;
    thread_ = std::thread([job, wav = std::move(wav), output = output_] {
        const SoundResult result = PlayWave(wav, output, &job->stop);
        std::lock_guard lock(job->mutex);
        job->result = result;
        job->ended.notify_all();
    });
    return true;
}

void SoundPlayer::Stop() {
    if (job_) job_->stop = true;
}

std::optional<SoundResult> SoundPlayer::Wait(std::chrono::milliseconds limit) {
    if (!job_) return std::nullopt;
    std::unique_lock lock(job_->mutex);
    job_->ended.wait_for(lock, limit, [&] { return job_->result.has_value(); });
    return job_->result;
}

} // namespace mvf::platform
