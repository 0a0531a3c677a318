#pragma once
// A video played into the main window: what the start-up and the form's
// key and click handlers need of it.

#include "engine/image/image.hpp"

namespace kr::media {

class VideoPlayer {
public:
    virtual ~VideoPlayer() = default;
    virtual double PositionSeconds() const = 0;
    virtual double LengthSeconds() const = 0;
    // Seeking to the length (or beyond) ends the video.
    virtual void SeekSeconds(double seconds) = 0;

    // Decodes what the current position needs and keeps the sound fed; called
    // once per drawn frame.
    virtual void Update() {}
    // The picture due at the current position; null before the first.
    virtual const image::Image* Picture() const { return nullptr; }
    // Changes whenever Picture() shows a new picture.
    virtual long PictureNumber() const { return 0; }
};

}  // namespace kr::media
