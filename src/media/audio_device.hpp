#pragma once
// A sound device that pulls the mixer's output from its own thread for as
// long as the object lives. Implementations live in media/sdl/.

#include <string>

namespace kr::media {

class AudioDevice {
public:
    virtual ~AudioDevice() = default;
    // Which driver and device plays the sound, for the log.
    virtual std::string Description() const = 0;
};

}  // namespace kr::media
