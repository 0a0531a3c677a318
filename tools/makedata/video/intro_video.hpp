#pragma once
// The intro video: the maker's logo, then the title, each fading in on a
// deep impact and out again, over a whoosh-and-swell soundtrack.

#include "audio/signal.hpp"
#include "engine/game_folder.hpp"
#include "video/logos.hpp"
#include "video/mpeg_writer.hpp"

namespace kr::video {

inline constexpr double kIntroSeconds = 10.0;
inline constexpr int kIntroWidth = 640;
inline constexpr int kIntroHeight = 480;
inline constexpr int kIntroFps = 25;

// The moments the picture and the sound share.
inline constexpr double kLogoHit = 0.9;    // the maker's logo lands
inline constexpr double kTitleHit = 5.2;   // the title lands

struct IntroArt {
    Frame backdrop;
    LogoArt maker;
    LogoArt title;
};

IntroArt MakeIntroArt(const DisplayFont& font);
Frame RenderIntroFrame(const IntroArt& art, double seconds);
audio::Stereo IntroSoundtrack();

// The whole file, as written to "Video\intro.mpg".
Bytes MakeIntroVideo(const DisplayFont& font);

}  // namespace kr::video
