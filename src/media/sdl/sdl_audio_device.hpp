#pragma once
// The mixer heard through SDL's audio: the system's default device, or
// SDL's "dummy" driver (silent, but keeping time) where no device opens.

#include <memory>
#include <string>

#include "media/audio_device.hpp"
#include "media/mixer.hpp"

namespace kr::media::sdl {

// Opens a device that pulls `mixer` until it is destroyed: the default
// device, else the silent "dummy" driver. `whyNot` says why the default
// device did not open (empty when it did); null when not even "dummy" opens.
std::unique_ptr<AudioDevice> OpenAudioDevice(Mixer& mixer, std::string& whyNot);

}  // namespace kr::media::sdl
