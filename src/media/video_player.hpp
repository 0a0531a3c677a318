#pragma once
// A video played into the main window: what the start-up and the form's
// key and click handlers need of it.

namespace kr::media {

class VideoPlayer {
public:
    virtual ~VideoPlayer() = default;
    virtual double PositionSeconds() const = 0;
    virtual double LengthSeconds() const = 0;
    virtual void SeekSeconds(double seconds) = 0;
};

}  // namespace kr::media
