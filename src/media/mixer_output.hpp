#pragma once
// Sounds heard through our mixer: effects decoded whole, music streamed by a
// background thread, live sound (the intro's soundtrack) written by its
// producer. The device that pulls the mix is attached once it is open; tests
// may instead render the mixer directly.

#include <memory>

#include "media/audio_device.hpp"
#include "media/mixer.hpp"
#include "media/playback.hpp"
#include "media/streamer.hpp"

namespace kr::media {

class MixerOutput final : public AudioOutput {
public:
    MixerOutput();
    ~MixerOutput() override;

    Mixer& mixer() { return mixer_; }
    // The device is closed before the mixer it reads goes away.
    void AttachDevice(std::unique_ptr<AudioDevice> device) { device_ = std::move(device); }

    PreparedSound Prepare(const std::filesystem::path& path, const std::string& name, Holding holding) const override;
    std::unique_ptr<Playback> Open(PreparedSound sound, Gains gains) override;
    std::unique_ptr<LivePlayback> OpenLive(std::int64_t lengthFrames) override;

private:
    Mixer mixer_;
    Streamer streamer_;
    std::unique_ptr<AudioDevice> device_;
};

// Frames a live feed holds: half a second.
inline constexpr int kLiveFeedFrames = 22050;

}  // namespace kr::media
