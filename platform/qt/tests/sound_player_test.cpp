// Playing WAV sounds through ALSA to devices every machine has: "null", which discards
// the samples, and the "file" plugin, which writes them to a file (or a FIFO) we read.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "platform/qt/sound_player.h"
#include "testsupport/temp_folder.h"
#include "wave_test_support.h"

namespace mvf::platform {
namespace {

using namespace std::chrono_literals;
using mvf::platform::testing::Samples;
using mvf::platform::testing::Wave;
using mvf::testing::ReadAll;
using mvf::testing::TempFolder;
using Clock = std::chrono::steady_clock;

QByteArray Bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

SoundOutput Device(const std::string& name) {
    return SoundOutput{name, 2000ms};
}

SoundOutput FileDevice(const std::string& path) {
    return Device("file:'" + path + "',raw");
}

TEST(PlayWaveTest, PlaysEveryFormatToTheEndOnTheNullDevice) {
    for (const int channels : {1, 2}) {
        for (const int bits : {8, 16}) {
            const QByteArray wav =
                Bytes(Wave(channels, 22050, bits, Samples(2205, channels * bits / 8)));
            EXPECT_EQ(SoundResult::Played, PlayWave(wav, Device("null")))
                << channels << " channels, " << bits << " bits";
        }
    }
}

TEST(PlayWaveTest, TheDeviceGetsExactlyTheSamples) {
    TempFolder folder;
    const std::string samples = Samples(3000, 4);
    const std::string out = folder.Path("played.raw");
    EXPECT_EQ(SoundResult::Played, PlayWave(Bytes(Wave(2, 11025, 16, samples)), FileDevice(out)));
    EXPECT_EQ(samples, ReadAll(out));
}

TEST(PlayWaveTest, NothingToPlayOrNoDeviceIsSilenceAtOnce) {
    const QByteArray wav = Bytes(Wave(1, 8000, 8, Samples(800, 1)));
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(SoundResult::Silent, PlayWave(QByteArray(), Device("null")));
    EXPECT_EQ(SoundResult::Silent, PlayWave(Bytes(Wave(1, 8000, 8, "")), Device("null")));
    EXPECT_EQ(SoundResult::NoDevice, PlayWave(wav, Device("no_such_device_anywhere")));
    EXPECT_EQ(SoundResult::NoDevice, PlayWave(wav, Device("hw:97,0")));
    EXPECT_LT(Clock::now() - start, 2s);
}

TEST(PlayWaveTest, BrokenFilesAreSilenceAndNeverReachTheDevice) {
    TempFolder folder;
    const std::string out = folder.Path("played.raw");
    const std::string good = Wave(2, 8000, 16, Samples(400, 4));
    const std::string broken[] = {
        good.substr(0, good.size() - 1),    // truncated
        good.substr(0, 30),                 // cut in the format
        Wave(1, 8000, 24, Samples(400, 3)), // 24-bit
        good.substr(0, 40) + mvf::platform::testing::Le(0x7FFFFFFF, 4) +
            good.substr(44),                                                 // huge data
        "RIFF" + mvf::platform::testing::Le(0xFFFFFFFF, 4) + good.substr(8), // huge RIFF
        std::string(5000, '\xff'),                                           // noise
    };
    for (const std::string& wav : broken) {
        EXPECT_EQ(SoundResult::BadWave, PlayWave(Bytes(wav), FileDevice(out)));
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST(PlayWaveTest, AStopRequestEndsTheSound) {
    const std::atomic<bool> stop{true};
    const QByteArray wav = Bytes(Wave(1, 8000, 8, Samples(8000 * 30, 1)));
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(SoundResult::Stopped, PlayWave(wav, Device("null"), &stop));
    EXPECT_LT(Clock::now() - start, 2s);
}

// A FIFO as the sound device's file: the device plays as fast as the FIFO is read.
class FifoDevice {
public:
    explicit FifoDevice(const TempFolder& folder) : path_(folder.Path("sound.fifo")) {
        EXPECT_EQ(0, ::mkfifo(path_.c_str(), 0600));
    }
    SoundOutput Output() const { return FileDevice(path_); }

    // Reads what the device writes, `pace` per 4 KiB, until the device closes the FIFO.
    void StartReading(std::chrono::milliseconds pace) {
        reader_ = std::thread([this, pace] {
            const int fd = ::open(path_.c_str(), O_RDONLY);
            if (fd < 0) return;
            char buffer[4096];
            while (::read(fd, buffer, sizeof buffer) > 0) std::this_thread::sleep_for(pace);
            ::close(fd);
        });
    }
    ~FifoDevice() {
        if (reader_.joinable()) reader_.join();
    }

private:
    std::string path_;
    std::thread reader_;
};

TEST(SoundPlayerTest, PlaysOnItsOwnThreadAndOneSoundAtATime) {
    SoundPlayer player(Device("null"));
    EXPECT_EQ(std::nullopt, player.Wait(0ms)); // none started
    ASSERT_TRUE(player.Start(Bytes(Wave(1, 8000, 8, Samples(800, 1)))));
    EXPECT_EQ(SoundResult::Played, player.Wait(10s));
    ASSERT_TRUE(player.Start(QByteArray("not a wav")));
    EXPECT_EQ(SoundResult::BadWave, player.Wait(10s));

    TempFolder folder;
    FifoDevice fifo(folder);
    // 4 KiB every 20 ms: 200 KB take about 700 ms beyond what the FIFO holds.
    fifo.StartReading(20ms);
    SoundPlayer slow(fifo.Output());
    ASSERT_TRUE(slow.Start(Bytes(Wave(1, 8000, 8, Samples(200000, 1)))));
    EXPECT_EQ(std::nullopt, slow.Wait(50ms));
    EXPECT_FALSE(slow.Start(Bytes(Wave(1, 8000, 8, Samples(800, 1))))); // no pile-up
    EXPECT_EQ(SoundResult::Played, slow.Wait(20s));
}

TEST(SoundPlayerTest, StoppingEndsAPlayingSound) {
    TempFolder folder;
    FifoDevice fifo(folder);
    fifo.StartReading(20ms);
    SoundPlayer player(fifo.Output());
    ASSERT_TRUE(player.Start(Bytes(Wave(1, 8000, 8, Samples(8000 * 60, 1)))));
    EXPECT_EQ(std::nullopt, player.Wait(100ms));
    const Clock::time_point start = Clock::now();
    player.Stop();
    EXPECT_EQ(SoundResult::Stopped, player.Wait(10s));
    EXPECT_LT(Clock::now() - start, 2s);
}

TEST(SoundPlayerTest, ItsOwnerCanEndWhileTheDeviceHangs) {
    TempFolder folder;
    FifoDevice fifo(folder); // nobody reads: the device hangs inside ALSA opening it
    const Clock::time_point start = Clock::now();
    {
        SoundPlayer player(fifo.Output());
        ASSERT_TRUE(player.Start(Bytes(Wave(1, 8000, 8, Samples(8000, 1)))));
        EXPECT_EQ(std::nullopt, player.Wait(100ms));
    }
    EXPECT_LT(Clock::now() - start, 2s);
    // Let the sound's thread go: it sees the stop and closes the device.
    fifo.StartReading(0ms);
}

} // namespace
} // namespace mvf::platform
