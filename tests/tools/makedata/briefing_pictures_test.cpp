// The hangar's mission pictures, rendered from the missions' worlds: each
// shows a busy, well-exposed scene inside its frame, and the two missions'
// pictures are clearly different places.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <string>

#include "engine/image/image.hpp"
#include "support/generated_game.hpp"
#include "support/temp_game_folder.hpp"

namespace kr::makedata::test {
namespace {

// Inside the frame and its cut corners.
constexpr int kLeft = 28, kTop = 28, kRight = 484, kBottom = 228;

float Luminance(const std::uint8_t* p) { return (0.3f * p[0] + 0.59f * p[1] + 0.11f * p[2]) / 255.0f; }

class BriefingPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        temp_ = std::make_unique<kr::test::TempGameFolder>();
        std::string output;
        bool made = false;
        folder_ = std::make_unique<GameFolder>(kr::test::GeneratedFolderOr(*temp_, output, made));
        ASSERT_TRUE(made) << output;
    }
    static void TearDownTestSuite() {
        folder_.reset();
        temp_.reset();
    }
    static image::Image Picture(int mission) {
        const std::string file = "graphics\\loa" + std::to_string(mission) + ".dds";
        return image::DecodeImage(folder_->ReadAll(file), file).levels.at(0);
    }

private:
    static inline std::unique_ptr<kr::test::TempGameFolder> temp_;
    static inline std::unique_ptr<GameFolder> folder_;
};

TEST_F(BriefingPictures, ShowAWellExposedDetailedScene) {
    for (int mission : {1, 2}) {
        const image::Image picture = Picture(mission);
        ASSERT_EQ(picture.width, 512);
        ASSERT_EQ(picture.height, 256);
        double sum = 0.0, squares = 0.0;
        std::set<int> colours;
        int count = 0;
        for (int y = kTop; y < kBottom; ++y)
            for (int x = kLeft; x < kRight; ++x) {
                const std::uint8_t* p = picture.Pixel(x, y);
                const float l = Luminance(p);
                sum += l, squares += l * l, ++count;
                colours.insert((p[0] >> 3) << 10 | (p[1] >> 3) << 5 | (p[2] >> 3));
                EXPECT_EQ(p[3], 255) << "mission " << mission << " at " << x << ", " << y;
            }
        const double mean = sum / count, spread = std::sqrt(squares / count - mean * mean);
        EXPECT_GT(mean, 0.08) << "mission " << mission;
        EXPECT_LT(mean, 0.7) << "mission " << mission;
        EXPECT_GT(spread, 0.05) << "mission " << mission;
        EXPECT_GT(colours.size(), 300u) << "mission " << mission;
    }
}

TEST_F(BriefingPictures, TheTwoMissionsLookDifferent) {
    const image::Image desert = Picture(1), orbit = Picture(2);
    double difference = 0.0;
    int count = 0;
    for (int y = kTop; y < kBottom; ++y)
        for (int x = kLeft; x < kRight; ++x, ++count)
            for (int c = 0; c < 3; ++c) difference += std::abs(desert.Pixel(x, y)[c] - orbit.Pixel(x, y)[c]) / 255.0;
    EXPECT_GT(difference / (3.0 * count), 0.06);
}

}  // namespace
}  // namespace kr::makedata::test
