#include "media/sdl/sdl_audio_device.hpp"

#include <SDL.h>

namespace kr::media::sdl {

namespace {

constexpr int kBufferFrames = 1024;

void Pull(void* userdata, Uint8* stream, int bytes) {
    auto* mixer = static_cast<Mixer*>(userdata);
    mixer->Render(reinterpret_cast<float*>(stream), bytes / static_cast<int>(sizeof(float) * kMixChannels));
}

// How the audio subsystem was started, so it is shut down the same way.
enum class Start { Subsystem, Driver };

void ShutDown(Start start) {
    if (start == Start::Subsystem)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    else
        SDL_AudioQuit();
}

class SdlAudioDevice final : public AudioDevice {
public:
    SdlAudioDevice(SDL_AudioDeviceID id, Start start, std::string description)
        : id_(id), start_(start), description_(std::move(description)) {
        SDL_PauseAudioDevice(id_, 0);
    }
    ~SdlAudioDevice() override {
        SDL_CloseAudioDevice(id_);  // waits for a callback in progress
        ShutDown(start_);
    }
    std::string Description() const override { return description_; }

private:
    SDL_AudioDeviceID id_;
    Start start_;
    std::string description_;
};

// The mix format exactly; SDL converts for the hardware when it must.
SDL_AudioDeviceID OpenDevice(Mixer& mixer) {
    SDL_AudioSpec want{};
    want.freq = kMixRate;
    want.format = AUDIO_F32SYS;
    want.channels = kMixChannels;
    want.samples = kBufferFrames;
    want.callback = Pull;
    want.userdata = &mixer;
    SDL_AudioSpec have{};
    return SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
}

void AddReason(std::string& whyNot, const std::string& reason) {
    whyNot += (whyNot.empty() ? "" : "; ") + reason;
}

// Starts SDL's audio on `driver` (null: SDL's own choice, which honours
// SDL_AUDIODRIVER) and opens the device; null when either fails.
std::unique_ptr<AudioDevice> TryDriver(const char* driver, Mixer& mixer, std::string& whyNot) {
    Start start = driver ? Start::Driver : Start::Subsystem;
    int status = driver ? SDL_AudioInit(driver) : SDL_InitSubSystem(SDL_INIT_AUDIO);
    if (status != 0) {
        AddReason(whyNot, std::string(driver ? driver : "audio") + ": " + SDL_GetError());
        return nullptr;
    }
    const char* current = SDL_GetCurrentAudioDriver();
    std::string name = current ? current : "audio";
    SDL_AudioDeviceID id = OpenDevice(mixer);
    if (id == 0) {
        AddReason(whyNot, name + ": " + SDL_GetError());
        ShutDown(start);
        return nullptr;
    }
    return std::make_unique<SdlAudioDevice>(id, start, name);
}

}  // namespace

std::unique_ptr<AudioDevice> OpenAudioDevice(Mixer& mixer, std::string& whyNot) {
    whyNot.clear();
    if (auto device = TryDriver(nullptr, mixer, whyNot)) return device;
    return TryDriver("dummy", mixer, whyNot);
}

}  // namespace kr::media::sdl
