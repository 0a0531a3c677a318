#include "app/startup.hpp"

#include <algorithm>
#include <cstdio>

#include "app/game.hpp"
#include "app/init_engine.hpp"
#include "app/screens.hpp"
#include "app/sound.hpp"
#include "frontend/menu_scene.hpp"
#include "engine/error.hpp"
#include "media/mpeg_video.hpp"

namespace kr {

namespace {
constexpr const char* kIntroTexture = "intro";
}  // namespace

DisplayMode DisplayModeFrom(const Settings& s) {
    static constexpr int kSamples[] = {0, 2, 4, 8, 16};
    DisplayMode mode;
    mode.width = s.ScreenWidth;
    mode.height = s.ScreenHeight;
    mode.colourDepth = s.ColourDepth;
    mode.fullScreen = s.WindowMode == 1;
    mode.samples = s.Antialias < 5 ? kSamples[s.Antialias] : 0;
    return mode;
}

void OpenMainWindow(Game& game) {
    game.engine = std::make_unique<Engine>(game.device, game.folder);
    game.engine->InitDisplay(DisplayModeFrom(game.settings));
    game.device.backend().ShowSystemPointer(false);
}

void FormCreate(Game& game) {
    StartReadingSounds(game);  // ready long before the intro ends
    LoadSettings(game.folder, game.settings);
    LoadLanguage(game.folder, game.settings.Language.View(), game.langText);
    LoadHighScores(game.folder, game.highScores);
    OpenMainWindow(game);
    StartIntroVideo(game);
    game.ActiveProfile = 1;
    game.ScreenId = screen_id::Startup;
}

// The window is already borderless at the settings' size with the pointer
// hidden (OpenMainWindow); the video plays into its whole layout.
void StartIntroVideo(Game& game) {
    game.IntroVideoPlaying = 1;
    try {
        game.mp = media::OpenMpegVideo(game.folder.Resolve(kIntroVideoFile), kIntroVideoFile, game.audio);
    } catch (const Error& error) {
        // The intro is only a show: without it the game starts at once.
        game.IntroVideoPlaying = 0;
        NoteForLog(game, std::string("KRAVELLON : Intro video left out (") + error.what() + ")");
    }
}

namespace {

void SkipIntroVideo(Game& game) {
    if (game.IntroVideoPlaying != 1 || !game.mp) return;
    game.mp->SeekSeconds(game.mp->LengthSeconds());
}

// Puts the video's current picture into the intro texture, once per picture.
void TakeIntroPicture(Game& game, const image::Image& picture) {
    TextureRegistry& textures = game.engine->textures();
    long number = game.mp->PictureNumber();
    if (game.introTexture == 0) {
        game.introTexture = textures.Add(kIntroTexture, image::MipChain{{picture}});
    } else if (number != game.introPictureShown) {
        textures.Update(game.introTexture, picture);
    }
    game.introPictureShown = number;
}

void DrawIntroFrame(Game& game) {
    Engine& engine = *game.engine;
    game.mp->Update();
    engine.Clear(false);
    if (const image::Image* picture = game.mp->Picture()) {
        TakeIntroPicture(game, *picture);
        LayoutRect area = FitPicture(picture->width, picture->height, game.settings.ScreenWidth,
                                     game.settings.ScreenHeight);
        engine.Begin2D();
        engine.DrawTexture(game.introTexture, area.x1, area.y1, area.x2, area.y2);
        engine.End2D();
    }
    engine.Present();
}

// Lets the video go (nothing to do once it has gone, or if it never came).
void EndIntroVideo(Game& game) {
    game.IntroVideoPlaying = 0;
    game.mp.reset();
    if (game.introTexture != 0) game.engine->DeleteTexture(kIntroTexture);
    game.introTexture = 0;
    game.introPictureShown = 0;
}

}  // namespace

void FormKeyPress(Game& game) { SkipIntroVideo(game); }

void FormClick(Game& game) { SkipIntroVideo(game); }

void StartupScreen(Game& game) {
    if (game.mp && game.mp->PositionSeconds() < game.mp->LengthSeconds()) {
        DrawIntroFrame(game);
        return;
    }
    EndIntroVideo(game);
    InitEngine(game);
    LoadStartupData(game);
    game.ScreenId = screen_id::Logo;
}

void LoadStartupData(Game& game) {
    game.ScreenId = screen_id::Logo;
    game.ActiveProfile = 1;
    Log& log = game.device.log();
    log.Write("KRAVELLON : Loading profiles...");
    game.CurrentMission = LoadProfiles(game.folder, game.ActiveProfile, game.profiles);
    LoadSoundCatalogue(game);
    log.Write("KRAVELLON : Loading main menu...");
    frontend::BuildMenuScene(game);
    game.engine->FadeIn(3000);
}

LayoutRect FitPicture(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return {};
    float scale = std::min(static_cast<float>(areaWidth) / static_cast<float>(pictureWidth),
                           static_cast<float>(areaHeight) / static_cast<float>(pictureHeight));
    float width = static_cast<float>(pictureWidth) * scale;
    float height = static_cast<float>(pictureHeight) * scale;
    float left = (static_cast<float>(areaWidth) - width) / 2;
    float top = (static_cast<float>(areaHeight) - height) / 2;
    return {left, top, left + width, top + height};
}

void NoteForLog(Log& log, EarlyNotes& notes, const std::string& line) {
    if (log.IsOpen()) {
        log.Write(line);
        return;
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    notes.push_back(line);
}

void NoteForLog(Game& game, const std::string& line) { NoteForLog(game.device.log(), game.earlyNotes, line); }

void WriteEarlyNotes(Game& game) {
    for (const std::string& line : game.earlyNotes) game.device.log().Write(line);
    game.earlyNotes.clear();
}

}  // namespace kr
