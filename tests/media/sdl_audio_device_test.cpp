// The mixer heard through SDL: the "disk" driver writes exactly what the
// device was given, so the output can be compared sample by sample.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "app/game.hpp"
#include "media/clock_output.hpp"
#include "media/mixer_output.hpp"
#include "media/sdl/sdl_audio_device.hpp"
#include "support/temp_game_folder.hpp"
#include "support/test_backend.hpp"

namespace kr {
namespace {

// Sets environment variables for one test and restores them after.
class ScopedEnv {
public:
    void Set(const char* name, const std::string& value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                unsetenv(it->first.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Waits (at most `seconds`) until the device has played `frames` of the channel.
std::int64_t WaitForPosition(const media::Mixer& mixer, int channel, std::int64_t frames, int seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (mixer.Position(channel) < frames && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return mixer.Position(channel);
}

// The device SDL opens with SDL_AUDIODRIVER set to `driver` (for as long as
// `env` lives).
std::unique_ptr<media::AudioDevice> OpenWithDriver(ScopedEnv& env, const char* driver, media::Mixer& mixer,
                                                   std::string& whyNot) {
    env.Set("SDL_AUDIODRIVER", driver);
    return media::sdl::OpenAudioDevice(mixer, whyNot);
}

std::vector<float> ReadFloats(const std::string& bytes) {
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    return samples;
}

TEST(SdlAudioDevice, TheDiskDriverReceivesTheMixSampleForSample) {
    test::TempGameFolder temp;
    ScopedEnv env;
    env.Set("SDL_DISKAUDIOFILE", temp.Path("out.raw").string());
    env.Set("SDL_DISKAUDIODELAY", "0");
    media::Mixer mixer(4);
    std::string whyNot;
    auto device = OpenWithDriver(env, "disk", mixer, whyNot);
    ASSERT_TRUE(device) << whyNot;
    EXPECT_EQ(device->Description(), "disk");
    EXPECT_TRUE(whyNot.empty()) << whyNot;
    std::vector<float> sound;
    for (int i = 0; i < 5000; ++i) {
        sound.push_back(0.25f + static_cast<float>(i % 97) / 400.0f);
        sound.push_back(-0.5f + static_cast<float>(i % 31) / 100.0f);
    }
    int channel = mixer.Acquire();
    ASSERT_TRUE(mixer.Start(channel, std::make_shared<media::PcmSource>(sound), 5000, media::Gains{}));
    EXPECT_EQ(WaitForPosition(mixer, channel, 5000, 10), 5000);
    device.reset();
    std::vector<float> written = ReadFloats(temp.Read("out.raw"));
    auto first = std::find_if(written.begin(), written.end(), [](float s) { return s != 0.0f; });
    ASSERT_NE(first, written.end());
    ASSERT_EQ((first - written.begin()) % 2, 0) << "frames stay whole";
    ASSERT_GE(written.end() - first, static_cast<std::ptrdiff_t>(sound.size()));
    EXPECT_TRUE(std::equal(sound.begin(), sound.end(), first));
    EXPECT_TRUE(std::all_of(first + static_cast<std::ptrdiff_t>(sound.size()), written.end(),
                            [](float s) { return s == 0.0f; }));
}

TEST(SdlAudioDevice, WithoutAUsableDeviceTheSilentDriverKeepsTime) {
    ScopedEnv env;
    media::Mixer mixer(2);
    std::string whyNot;
    auto device = OpenWithDriver(env, "no-such-driver", mixer, whyNot);
    ASSERT_TRUE(device) << whyNot;
    EXPECT_EQ(device->Description(), "dummy");
    EXPECT_FALSE(whyNot.empty()) << "the reason the default failed is kept for the log";
    int channel = mixer.Acquire();
    mixer.Start(channel, std::make_shared<media::PcmSource>(std::vector<float>(2 * 2205)), 2205, media::Gains{});
    EXPECT_EQ(WaitForPosition(mixer, channel, 2205, 5), 2205) << "positions advance although nothing is heard";
}

// The game's choice of output: the mixer on a device when there is a window,
// silent but timed otherwise, and one log line when the device is missing.
TEST(GameAudio, WithoutASoundDeviceTheGamePlaysSilentlyAndSaysSoOnce) {
    ScopedEnv env;
    env.Set("SDL_AUDIODRIVER", "no-such-driver");
    test::TestBackend backend;
    backend.headless = false;
    Device device(backend, DriverOptions{});
    EarlyNotes notes;
    auto output = OpenGameAudio(device, notes);
    EXPECT_TRUE(std::dynamic_pointer_cast<media::MixerOutput>(output)) << "still mixed, into the silent driver";
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].rfind("SOUND ENGINE : No sound device (", 0), 0u) << notes[0];
    EXPECT_NE(notes[0].find("the game plays silently"), std::string::npos) << notes[0];
}

TEST(GameAudio, HeadlessRunsKeepTimeOnTheEngineClockWithoutALogLine) {
    test::TestBackend backend;
    Device device(backend, DriverOptions{});
    EarlyNotes notes;
    auto output = OpenGameAudio(device, notes);
    EXPECT_TRUE(std::dynamic_pointer_cast<media::ClockOutput>(output));
    EXPECT_TRUE(notes.empty());
}

}  // namespace
}  // namespace kr
