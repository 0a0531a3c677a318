// The menu pictures: every file the start-up and the menus load exists, is
// read by the game's texture loader with the colour key it is loaded with,
// has the size it is drawn at, and keeps the transparency it is drawn
// with. Also the toolkit helpers they are made with: lettering, texture
// file preparation, resampling, nine-slice borders and the glass panel.

#include <gtest/gtest.h>

#include "support/generated_game.hpp"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/error.hpp"
#include "engine/fonts.hpp"
#include "engine/headless/headless_backend.hpp"
#include "engine/image/image.hpp"
#include "engine/textures.hpp"
#include "support/process.hpp"
#include "support/temp_game_folder.hpp"
#include "toolkit/glass_panel.hpp"
#include "toolkit/lettering.hpp"
#include "toolkit/nine_slice.hpp"
#include "toolkit/resample.hpp"
#include "toolkit/texture_files.hpp"

namespace kr::toolkit::test {
namespace {

constexpr std::int32_t kOwnAlpha = -327764;
constexpr std::int32_t kBlack = -16777216;
constexpr std::int32_t kRed = -65536;

int AlphaAt(const image::Image& picture, int x, int y) { return picture.Pixel(x, y)[3]; }

// ---- the generated files ---------------------------------------------------

struct Entry {
    std::string file;  // under graphics\ .
    std::int32_t key;
    int width, height;
};

// What the start-up and the menus load, with the keys they pass.
std::vector<Entry> Catalogue() {
    std::vector<Entry> entries = {
        {"loading.dds", 0, 256, 64},          {"kravlogo.dds", kOwnAlpha, 512, 512},
        {"velmor.dds", 0, 1024, 1024},        {"play.dds", kOwnAlpha, 1024, 1024},
        {"velmorsmall.dds", kOwnAlpha, 256, 128}, {"arrow_right.dds", kOwnAlpha, 64, 64},
        {"arrow_left.dds", kOwnAlpha, 64, 64}, {"credits.dds", kOwnAlpha, 512, 256},
        {"const.dds", kOwnAlpha, 256, 128},   {"exit.dds", kOwnAlpha, 128, 128},
        {"set_tlo.dds", kOwnAlpha, 512, 512}, {"puchar.dds", kOwnAlpha, 128, 128},
        {"help_keyb.bmp", kRed, 512, 256},    {"help_mouse.bmp", kRed, 512, 256},
        {"end.bmp", 0, 512, 256},             {"time_bkg.dds", kOwnAlpha, 64, 512},
        {"time_button.dds", kOwnAlpha, 64, 32}, {"time_border.dds", kOwnAlpha, 64, 512},
        {"time_fill.dds", kOwnAlpha, 64, 512}, {"trans.bmp", kBlack, 128, 128},
        {"radar_tlo.dds", kOwnAlpha, 256, 256}, {"krav.dds", kOwnAlpha, 512, 256},
        {"i_tlo.bmp", kBlack, 64, 64},        {"i_pusty.dds", kOwnAlpha, 64, 64},
        {"i_tlo1.bmp", kBlack, 64, 64},       {"i_tlo2.bmp", kBlack, 64, 64},
        {"i_tlo10.dds", kOwnAlpha, 64, 64},   {"i_tlo20.bmp", kBlack, 64, 64},
        {"panel1.dds", kOwnAlpha, 256, 256},  {"tentacles.dds", kOwnAlpha, 256, 256},
        {"selection_panel.dds", kOwnAlpha, 256, 128}, {"t1280.bmp", kRed, 1280, 1024},
    };
    for (const char* gun : {"gauss", "laser", "plasma", "machinegun"})
        entries.push_back({std::string("s_gun_") + gun + ".dds", kOwnAlpha, 128, 128});
    for (int n = 1; n <= 3; ++n) entries.push_back({"set_" + std::to_string(n) + ".dds", kOwnAlpha, 128, 128});
    for (int n = 1; n <= 5; ++n) entries.push_back({"s" + std::to_string(n) + ".dds", kOwnAlpha, 256, 128});
    for (int n = 1; n <= 5; ++n) entries.push_back({"ship" + std::to_string(n) + ".dds", kOwnAlpha, 256, 256});
    for (int n = 1; n <= 2; ++n) entries.push_back({"loa" + std::to_string(n) + ".dds", kOwnAlpha, 512, 256});
    for (int n = 1; n <= 19; ++n) entries.push_back({"i" + std::to_string(n) + ".dds", kOwnAlpha, 64, 64});
    for (int n = 1; n <= 5; ++n) entries.push_back({"i_spec" + std::to_string(n) + ".dds", kOwnAlpha, 64, 64});
    for (int w : {128, 256, 512})
        for (int h : {64, 128, 256, 512}) {
            if ((w == 128 && h == 512) || (w == 256 && h == 256)) continue;
            entries.push_back({"panel_" + std::to_string(w) + "x" + std::to_string(h) + ".dds", kOwnAlpha, w, h});
        }
    return entries;
}

class MenuPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<kr::test::TempGameFolder>();
        std::string output;
        bool made = false;
        game_ = std::make_unique<GameFolder>(kr::test::GeneratedFolderOr(*folder_, output, made));
        ASSERT_TRUE(made) << output;
    }
    static void TearDownTestSuite() {
        game_.reset();
        folder_.reset();
    }

    static const GameFolder& Folder() { return *game_; }
    // The picture as the game holds it after loading with `key`.
    static image::Image Loaded(const std::string& file, std::int32_t key) {
        const std::string name = "graphics\\" + file;
        image::MipChain chain = image::DecodeImage(Folder().ReadAll(name), name);
        image::ApplyColourKey(chain, key);
        return chain.levels.at(0);
    }

    static std::unique_ptr<kr::test::TempGameFolder> folder_;
    static std::unique_ptr<GameFolder> game_;
};

std::unique_ptr<kr::test::TempGameFolder> MenuPictures::folder_;
std::unique_ptr<GameFolder> MenuPictures::game_;

TEST_F(MenuPictures, EveryPictureLoadsThroughTheTextureLoaderAtItsDrawnSize) {
    HeadlessBackend backend;
    TextureRegistry textures(backend, Folder());
    for (const Entry& entry : Catalogue()) {
        SCOPED_TRACE(entry.file);
        int id = 0;
        ASSERT_NO_THROW(id = textures.Load("graphics\\" + entry.file, entry.file, -1, -1, entry.key));
        EXPECT_EQ(textures.Info(id).width, entry.width);
        EXPECT_EQ(textures.Info(id).height, entry.height);
    }
}

TEST_F(MenuPictures, BmpFilesArePlain24BitAndDdsFilesCarryEveryMipLevel) {
    for (const Entry& entry : Catalogue()) {
        SCOPED_TRACE(entry.file);
        const Bytes bytes = Folder().ReadAll("graphics\\" + entry.file);
        if (entry.file.ends_with(".bmp")) {
            ASSERT_GT(bytes.size(), 30u);
            EXPECT_EQ(bytes[0], 'B');
            EXPECT_EQ(bytes[28] | bytes[29] << 8, 24);
        } else {
            const image::DdsInfo info = image::ReadDdsInfo(bytes, entry.file);
            EXPECT_EQ(info.levelCount, image::FullMipChainLength(entry.width, entry.height));
        }
    }
}

TEST_F(MenuPictures, ShowTransparencyWhereTheyAreDrawnOverTheScene) {
    for (const Entry& entry : Catalogue()) {
        SCOPED_TRACE(entry.file);
        const image::Image picture = Loaded(entry.file, entry.key);
        int clear = 0, solid = 0, visible = 0;
        for (std::size_t i = 3; i < picture.rgba.size(); i += 4) {
            clear += picture.rgba[i] == 0;
            solid += picture.rgba[i] == 255;
            visible += picture.rgba[i] >= 100;
        }
        // The screen-wide logos and the pictures drawn inside boxes of their own.
        const bool opaque = entry.file == "velmor.dds" || entry.file == "play.dds" || entry.file == "end.bmp" ||
                            entry.file == "krav.dds";
        if (opaque) {
            EXPECT_EQ(clear, 0);
            EXPECT_EQ(solid, picture.width * picture.height);
        } else if (entry.file != "set_tlo.dds") {  // a faint backdrop, meant to be read through
            EXPECT_GT(clear, 0);
            EXPECT_GT(visible, 0);
        }
    }
}

TEST_F(MenuPictures, PanelsAreTranslucentGlassInAnOpaqueFrameWithCutCorners) {
    for (const Entry& entry : Catalogue()) {
        if (!entry.file.starts_with("panel_")) continue;
        SCOPED_TRACE(entry.file);
        const image::Image panel = Loaded(entry.file, entry.key);
        const int w = panel.width, h = panel.height;
        for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {3, 3}}) EXPECT_EQ(AlphaAt(panel, x, y), 0);
        EXPECT_EQ(AlphaAt(panel, w / 2, 2), 255);
        EXPECT_EQ(AlphaAt(panel, 2, h / 2), 255);
        const int glass = AlphaAt(panel, w / 2, h / 2);
        EXPECT_GT(glass, 100);
        EXPECT_LT(glass, 235);
    }
}

TEST_F(MenuPictures, PicturesAlsoLoadedWithTheRedKeyHaveNoPureRed) {
    // The results screen loads the mission pictures, the pilot selection the
    // ship pictures, with pure red as their transparent colour.
    std::vector<std::string> files = {"loa1.dds", "loa2.dds"};
    for (int n = 1; n <= 5; ++n) files.push_back("ship" + std::to_string(n) + ".dds");
    for (const auto& file : files) EXPECT_EQ(Loaded(file, kRed).rgba, Loaded(file, kOwnAlpha).rgba) << file;
}

TEST_F(MenuPictures, IconsAreDistinctSilhouettes) {
    std::vector<std::string> files;
    for (int n = 1; n <= 19; ++n) files.push_back("i" + std::to_string(n) + ".dds");
    for (int n = 1; n <= 5; ++n) files.push_back("i_spec" + std::to_string(n) + ".dds");
    std::vector<std::vector<bool>> shapes;
    for (const auto& file : files) {
        const image::Image icon = Loaded(file, kOwnAlpha);
        std::vector<bool> shape;
        int covered = 0;
        for (std::size_t i = 3; i < icon.rgba.size(); i += 4) {
            shape.push_back(icon.rgba[i] >= 128);
            covered += shape.back();
        }
        // Bold enough to read at 20 x 20, with air round it.
        EXPECT_GT(covered, 64 * 64 / 10) << file;
        EXPECT_LT(covered, 64 * 64 * 7 / 10) << file;
        shapes.push_back(shape);
    }
    for (std::size_t a = 0; a < shapes.size(); ++a)
        for (std::size_t b = a + 1; b < shapes.size(); ++b) {
            int differ = 0;
            for (std::size_t i = 0; i < shapes[a].size(); ++i) differ += shapes[a][i] != shapes[b][i];
            EXPECT_GT(differ, 150) << files[a] << " and " << files[b] << " share a silhouette";
        }
}

TEST_F(MenuPictures, TheCursorPointsFromItsHotSpot) {
    // "kursor" is arrow_right.dds drawn from the pointer's position down and right.
    const image::Image cursor = Loaded("arrow_right.dds", kOwnAlpha);
    int solidNearHotSpot = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) solidNearHotSpot += AlphaAt(cursor, x, y) == 255;
    EXPECT_GT(solidNearHotSpot, 0);
    const image::Image left = Loaded("arrow_left.dds", kOwnAlpha);
    EXPECT_GT(AlphaAt(cursor, 58, 32), 200);  // the right arrow's tip
    EXPECT_GT(AlphaAt(left, 5, 32), 200);     // the left arrow's tip
}

// ---- toolkit helpers ---------------------------------------------------------

TEST(TextureFiles, BleedingColoursOnlyTheTransparentTexels) {
    image::Image picture(8, 1);
    for (int x = 0; x < 8; ++x) {
        std::uint8_t* t = picture.Pixel(x, 0);
        t[0] = x < 2 ? 200 : 0;
        t[1] = x < 2 ? 40 : 0;
        t[3] = x < 2 ? 255 : 0;
    }
    picture.Pixel(1, 0)[3] = 10;
    BleedIntoTransparent(picture);
    for (int x = 2; x < 8; ++x) {
        EXPECT_EQ(picture.Pixel(x, 0)[0], 200) << x;
        EXPECT_EQ(picture.Pixel(x, 0)[1], 40) << x;
        EXPECT_EQ(picture.Pixel(x, 0)[3], 0) << x;
    }
    EXPECT_EQ(picture.Pixel(1, 0)[3], 10);

    image::Image empty(4, 4);
    BleedIntoTransparent(empty);
    EXPECT_EQ(empty.rgba, image::Image(4, 4).rgba);
}

TEST(TextureFiles, DdsKeepsAlphaAndEveryLevel) {
    image::Image picture(16, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* t = picture.Pixel(x, y);
            t[0] = static_cast<std::uint8_t>(x * 16);
            t[3] = static_cast<std::uint8_t>(x < 8 ? 255 : 0);
        }
    const image::MipChain chain = image::DecodeImage(EncodeTextureDds(picture), "test.dds");
    ASSERT_EQ(static_cast<int>(chain.levels.size()), image::FullMipChainLength(16, 8));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) EXPECT_EQ(chain.levels[0].Pixel(x, y)[3], picture.Pixel(x, y)[3]);
    EXPECT_EQ(chain.levels[0].Pixel(3, 2)[0], 48);
}

TEST(TextureFiles, FlatteningForAColourKeyLeavesOnlyTheSeeThroughPartsInTheKey) {
    image::Image picture(4, 1);
    const std::uint8_t texels[4][4] = {{9, 9, 9, 20}, {255, 0, 0, 255}, {100, 50, 0, 128}, {0, 0, 0, 255}};
    for (int x = 0; x < 4; ++x) std::copy(texels[x], texels[x] + 4, picture.Pixel(x, 0));
    KeyedFlatten red{ColourKeyRgb(kRed), glm::u8vec3(0, 0, 40), 0.25f};
    image::Image flat = FlattenForColourKey(picture, red);
    image::ApplyColourKey(flat, kRed);
    EXPECT_EQ(AlphaAt(flat, 0, 0), 0);    // faint: keyed out
    EXPECT_EQ(AlphaAt(flat, 1, 0), 255);  // pure red picture texel: nudged, still shown
    EXPECT_EQ(flat.Pixel(1, 0)[0], 255);
    EXPECT_EQ(AlphaAt(flat, 2, 0), 255);  // half alpha: blended onto the matte
    EXPECT_NEAR(flat.Pixel(2, 0)[0], 50, 1);
    EXPECT_NEAR(flat.Pixel(2, 0)[2], 20, 1);

    image::Image black = FlattenForColourKey(picture, KeyedFlatten{ColourKeyRgb(kBlack), glm::u8vec3(0), 0.25f});
    image::ApplyColourKey(black, kBlack);
    EXPECT_EQ(AlphaAt(black, 0, 0), 0);
    EXPECT_EQ(AlphaAt(black, 3, 0), 255);  // an opaque black texel is kept visible
    EXPECT_EQ(ColourKeyRgb(kRed), glm::u8vec3(255, 0, 0));
    EXPECT_EQ(ColourKeyRgb(kBlack), glm::u8vec3(0, 0, 0));
}

TEST(Resampling, KeepsFlatAreasAndDoesNotDarkenAtTransparentEdges) {
    Canvas source(10, 6, Colour(0.2f, 0.4f, 0.6f, 1.0f));
    for (int y = 0; y < 6; ++y)
        for (int x = 5; x < 10; ++x) source.At(x, y) = Colour(0.0f);
    for (auto [w, h] : {std::pair{4, 3}, {23, 17}}) {
        const Canvas out = Resampled(source, w, h);
        ASSERT_EQ(out.width(), w);
        ASSERT_EQ(out.height(), h);
        for (const Colour& c : out.pixels()) {
            if (c.a < 1e-3f) continue;
            EXPECT_NEAR(c.r, 0.2f, 1e-4f);
            EXPECT_NEAR(c.b, 0.6f, 1e-4f);
        }
        EXPECT_NEAR(out.At(0, 0).a, 1.0f, 1e-5f);
        EXPECT_NEAR(out.At(w - 1, h - 1).a, 0.0f, 1e-5f);
    }
}

TEST(NineSlicing, CopiesCornersAndRepeatsTheMiddle) {
    Canvas small(5, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) small.At(x, y) = Colour(x / 10.0f, y / 10.0f, 0.0f, 1.0f);
    const Canvas big = NineSlice(small, 12, 9, 2);
    EXPECT_EQ(big.At(0, 0), small.At(0, 0));
    EXPECT_EQ(big.At(11, 8), small.At(4, 4));
    EXPECT_EQ(big.At(10, 1), small.At(3, 1));
    EXPECT_EQ(big.At(6, 4), small.At(2, 2));
    EXPECT_EQ(big.At(7, 0), small.At(2, 0));
    EXPECT_THROW(NineSlice(small, 12, 9, 3), Error);
    EXPECT_THROW(NineSlice(small, 3, 9, 2), Error);
}

TEST(GlassPanels, ClearCornersOpaqueFrameTranslucentGlassCrimsonEdge) {
    GlassPanelStyle style;
    style.cut = 12.0f;
    style.frame = 5.0f;
    style.glassAlpha = 0.6f;
    const Canvas panel = RenderGlassPanel(96, 64, style);
    EXPECT_EQ(panel.At(0, 0).a, 0.0f);
    EXPECT_EQ(panel.At(95, 63).a, 0.0f);
    EXPECT_NEAR(panel.At(48, 2).a, 1.0f, 1e-4f);
    EXPECT_NEAR(panel.At(48, 32).a, 0.6f, 0.05f);
    // Just inside the frame the crimson thread outshines the other channels.
    const Colour edge = panel.At(48, 6);
    EXPECT_GT(edge.r, 2.0f * edge.g);
    EXPECT_GT(edge.r, 0.5f);
    // Frame-only panels (borders over pictures) leave the middle clear.
    style.glassAlpha = 0.0f;
    EXPECT_LT(RenderGlassPanel(96, 64, style).At(48, 32).a, 0.05f);
}

TEST(Lettering, DrawsInkWhereAskedAndMeasuresTracking) {
    const std::string path = "/usr/share/fonts/truetype/play/Play-Bold.ttf";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no display face installed";
    std::ifstream in(path, std::ios::binary);
    Lettering lettering(Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), "Play-Bold");
    Field mask(200, 60);
    lettering.Draw(mask, "KRAV", 30.0f, {20.0f, 10.0f});
    float inkLeft = 200, inkRight = 0, inkTop = 60, inkBottom = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x)
            if (mask.At(x, y) > 0.5f) {
                inkLeft = std::min<float>(inkLeft, x), inkRight = std::max<float>(inkRight, x);
                inkTop = std::min<float>(inkTop, y), inkBottom = std::max<float>(inkBottom, y);
            }
    const float width = lettering.Width("KRAV", 30.0f);
    EXPECT_GE(inkLeft, 19.0f);
    EXPECT_LE(inkRight, 20.0f + width + 1.0f);
    EXPECT_GE(inkTop, 10.0f);
    EXPECT_LE(inkBottom, 40.0f);
    EXPECT_GT(inkRight - inkLeft, width * 0.7f);
    EXPECT_NEAR(lettering.Width("KRAV", 30.0f, 4.0f), lettering.Width("K", 30.0f) + lettering.Width("R", 30.0f) +
                                                          lettering.Width("A", 30.0f) + lettering.Width("V", 30.0f) + 12.0f,
                0.01f);
    EXPECT_EQ(lettering.Width("", 30.0f, 4.0f), 0.0f);

    Lettering broken(Bytes{1, 2, 3}, "broken.ttf");
    try {
        broken.Width("A", 20.0f);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), "broken.ttf");
    }
}

}  // namespace
}  // namespace kr::toolkit::test
