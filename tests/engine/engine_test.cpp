#include <gtest/gtest.h>

#include <filesystem>
#include <variant>

#include "engine/engine.hpp"
#include "engine/error.hpp"
#include "support/temp_game_folder.hpp"
#include "support/test_backend.hpp"

namespace kr {
namespace {

class EngineTest : public ::testing::Test {
protected:
    EngineTest() : device(backend, {}), engine(device, temp.folder()) {}

    void WritePicture(const char* relative, int w, int h, std::array<std::uint8_t, 4> rgba) {
        image::Image picture(w, h);
        for (int i = 0; i < w * h; ++i) std::copy(rgba.begin(), rgba.end(), &picture.rgba[i * 4]);
        temp.Write(relative, image::EncodePng(picture));
    }

    // The quads of the last rendered frame, in drawing order.
    std::vector<Quad2D> RenderedQuads() const {
        std::vector<Quad2D> quads;
        for (const auto& command : backend.frames.back().commands) {
            if (auto* q = std::get_if<QuadsCommand>(&command)) quads.insert(quads.end(), q->quads.begin(), q->quads.end());
        }
        return quads;
    }

    test::TempGameFolder temp;
    test::TestBackend backend;
    Device device;
    Engine engine;
};

TEST_F(EngineTest, TexturesAreFoundByNameAndReplacedUnderTheSameName) {
    WritePicture("Graphics/loading.png", 4, 2, {10, 20, 30, 255});
    int id = engine.LoadTexture("graphics\\loading.png", "loading");
    EXPECT_EQ(engine.TextureId("loading"), id);
    EXPECT_EQ(engine.textures().Info(id).width, 4);
    EXPECT_EQ(backend.liveTextures, 1);
    WritePicture("Graphics/other.png", 8, 8, {1, 2, 3, 255});
    int again = engine.LoadTexture("graphics\\other.png", "loading");
    EXPECT_EQ(again, id);  // holders of the id see the new picture
    EXPECT_EQ(engine.textures().Info(id).width, 8);
    EXPECT_EQ(backend.liveTextures, 1);  // the old picture was released
    engine.DeleteTexture("loading");
    engine.DeleteTexture("loading");  // deleting a missing name is harmless
    EXPECT_EQ(backend.liveTextures, 0);
    EXPECT_THROW(engine.TextureId("loading"), Error);
}

TEST_F(EngineTest, UpdatingATextureKeepsItsIdAndTakesTheNewSize) {
    WritePicture("v.png", 4, 4, {0, 0, 0, 255});
    int id = engine.LoadTexture("v.png", "video");
    engine.textures().Update(id, image::Image(320, 240));
    EXPECT_EQ(engine.TextureId("video"), id);
    EXPECT_EQ(engine.textures().Info(id).width, 320);
    ASSERT_EQ(backend.updated.size(), 1u);
    EXPECT_EQ(backend.updated[0].first, engine.textures().Handle(id));
    EXPECT_THROW(engine.textures().Update(99, image::Image(1, 1)), Error);
}

TEST_F(EngineTest, MissingOrBrokenPicturesNameTheFile) {
    temp.Write("graphics/broken.dds", std::string("DDS garbage"));
    for (const char* path : {"graphics\\absent.dds", "graphics\\broken.dds"}) {
        try {
            engine.LoadTexture(path, "x");
            FAIL() << path;
        } catch (const FileError& error) {
            EXPECT_EQ(error.file(), path);
        }
    }
    EXPECT_THROW(engine.LoadTexture("graphics\\broken.dds", "x", 0, 5), FileError);
}

TEST_F(EngineTest, ColourKeyMakesThatColourTransparent) {
    WritePicture("t.png", 2, 2, {0, 0, 0, 255});
    engine.LoadTexture("t.png", "black-keyed", -1, -1, colour_key::kBlack);
    engine.LoadTexture("t.png", "plain", -1, -1, colour_key::kNone);
    EXPECT_EQ(backend.uploaded.at(0).levels[0].Pixel(1, 1)[3], 0);
    EXPECT_EQ(backend.uploaded.at(1).levels[0].Pixel(1, 1)[3], 255);
}

TEST_F(EngineTest, DrawingIsOnlyAllowedBetweenBeginAndEnd) {
    WritePicture("p.png", 1, 1, {255, 255, 255, 255});
    int id = engine.LoadTexture("p.png", "p");
    EXPECT_THROW(engine.DrawTexture(id, 0, 0, 1, 1), Error);
    EXPECT_THROW(engine.End2D(), Error);
    engine.Begin2D();
    EXPECT_THROW(engine.BeginText(), Error);
    EXPECT_THROW(engine.Present(), Error);
    EXPECT_THROW(engine.DrawTexture(0, 0, 0, 1, 1), Error);
    engine.End2D();
}

TEST_F(EngineTest, QuadsKeepTheirOrderCornersAndMirroring) {
    WritePicture("p.png", 1, 1, {255, 255, 255, 255});
    int id = engine.LoadTexture("p.png", "p");
    engine.Clear();
    engine.Begin2D();
    Corners corners{{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 1, 0.5f}};
    engine.DrawTexture(id, 300, 10, 100, 50, corners, {0, 0, 1, 1});
    engine.DrawFilledBox(0, 0, 8, 8, Corners::All({0.2f, 0.2f, 0.2f, 1}));
    engine.End2D();
    engine.Present();
    ASSERT_TRUE(std::holds_alternative<ClearCommand>(backend.frames.back().commands.front()));
    auto quads = RenderedQuads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].x1, 300);  // x1 > x2 is kept: the picture is mirrored
    EXPECT_EQ(quads[0].colours[3].a, 0.5f);
    EXPECT_NE(quads[0].texture, 0u);
    EXPECT_EQ(quads[1].texture, 0u);
}

TEST_F(EngineTest, KeepingThePictureRedrawsTheLastFrameWithoutItsOverlays) {
    WritePicture("k.png", 4, 4, {255, 255, 255, 255});
    engine.LoadTexture("k.png", "kursor");
    engine.SetCursor("kursor", 32, 32);
    engine.ShowCursor(true);
    engine.Clear();
    engine.Begin2D();
    engine.DrawFilledBox(0, 0, 8, 8, Corners::All(kWhite));
    engine.End2D();
    engine.Present();
    EXPECT_EQ(RenderedQuads().size(), 2u);  // the box and the cursor
    engine.Clear(true);
    engine.Present();
    EXPECT_EQ(RenderedQuads().size(), 2u);  // the box again, one cursor
}

TEST_F(EngineTest, CursorFollowsThePointerAndCanBeHidden) {
    WritePicture("k.png", 4, 4, {255, 255, 255, 255});
    engine.LoadTexture("k.png", "kursor");
    engine.SetCursor("kursor", 32, 32);
    engine.ShowCursor(true);
    engine.SetMousePosition(100, 200);
    engine.Clear();
    engine.Present();
    auto quads = RenderedQuads();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(quads[0].x1, 100);
    EXPECT_EQ(quads[0].y2, 232);
    engine.ShowCursor(false);
    engine.Clear();
    engine.Present();
    EXPECT_TRUE(RenderedQuads().empty());
    engine.ShowCursor(true);
    engine.SetCursor("", 0, 0);  // an empty cursor shows nothing
    engine.Clear();
    engine.Present();
    EXPECT_TRUE(RenderedQuads().empty());
}

TEST_F(EngineTest, FadeOutCoversTheScreenOnTheClockThenFadesIn) {
    engine.InitDisplay(DisplayMode{});
    engine.FadeOut(64);  // four frames of 16 ms
    int frames = 0;
    float lastVeil = -1;
    do {
        engine.Clear(true);
        engine.Present();
        ++frames;
        ASSERT_FALSE(RenderedQuads().empty());
        float veil = RenderedQuads().back().colours[0].a;
        EXPECT_GT(veil, lastVeil);
        lastVeil = veil;
    } while (!engine.FadeFinished());
    EXPECT_EQ(frames, 4);
    EXPECT_FLOAT_EQ(lastVeil, 1.0f);  // the screen was fully covered once
    engine.FadeIn(32);
    engine.Clear();
    engine.Present();
    EXPECT_FLOAT_EQ(RenderedQuads().back().colours[0].a, 0.5f);
    engine.Clear();
    engine.Present();
    EXPECT_TRUE(RenderedQuads().empty());  // fully faded in: no veil
}

TEST_F(EngineTest, FontsResolveTheirFamiliesToShippedFiles) {
    std::filesystem::create_directories(temp.Path("Fonts"));
    std::filesystem::copy_file("/usr/share/fonts/truetype/play/Play-Bold.ttf", temp.Path("Fonts/Play-Bold.ttf"));
    int font = engine.CreateFont("Font22", "Astron Boy", 22, true);
    EXPECT_EQ(engine.FontId("Font22"), font);
    EXPECT_THROW(engine.FontId("Font99"), Error);
    EXPECT_THROW(engine.CreateFont("x", "Comic", 12, false), Error);
    EXPECT_THROW(engine.CreateFont("y", "Arial", 12, false), FileError);  // not shipped here
    EXPECT_GT(engine.MeasureText("KRAVELLON", font), engine.MeasureText("KRAV", font));
    EXPECT_EQ(engine.MeasureText("", font), 0);
    // Measuring at another size scales with the em, from the same face.
    float small = engine.MeasureFamilyText("Astron Boy", true, 10, "KRAVELLON");
    EXPECT_NEAR(engine.MeasureFamilyText("Astron Boy", true, 30, "KRAVELLON"), 3 * small, 0.01);
    EXPECT_EQ(engine.MeasureFamilyText("Astron Boy", true, 30, ""), 0);
    engine.Clear();
    engine.BeginText();
    engine.DrawText("A b", 10, 20, {1, 0, 0, 1}, font);
    engine.EndText();
    engine.Present();
    auto quads = RenderedQuads();
    ASSERT_EQ(quads.size(), 2u);  // the space draws nothing
    EXPECT_GE(quads[0].x1, 10);
    EXPECT_GE(quads[0].y1, 20);
    EXPECT_EQ(quads[0].colours[0].r, 1);
}

}  // namespace
}  // namespace kr
