#include "video/video_files.hpp"

#include "video/intro_video.hpp"

namespace kr::makedata {

void WriteVideoFiles(OutputFolder& out, const Sources& sources) {
    const auto path = sources.fonts / "play" / "Play-Bold.ttf";
    const video::DisplayFont font{ReadSourceFile(path), path.string()};
    out.Write("Video\\intro.mpg", video::MakeIntroVideo(font));
}

}  // namespace kr::makedata
