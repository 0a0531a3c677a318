#include "engine/text/atlas_packer.hpp"

#include <gtest/gtest.h>

namespace kr::text {
namespace {

bool Overlap(PackPosition a, PackSize as, PackPosition b, PackSize bs) {
    return a.x < b.x + bs.width && b.x < a.x + as.width && a.y < b.y + bs.height &&
           b.y < a.y + as.height;
}

TEST(AtlasPacker, RectanglesFitWithoutOverlapInAPowerOfTwoAtlas) {
    std::vector<PackSize> sizes;
    for (int i = 0; i < 200; ++i) sizes.push_back({3 + (i * 7) % 40, 5 + (i * 13) % 50});
    sizes.push_back({0, 0});
    const auto packed = PackShelves(sizes, 4096);
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->width & (packed->width - 1), 0);
    EXPECT_EQ(packed->height & (packed->height - 1), 0);
    EXPECT_LE(packed->height, packed->width);
    long area = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const PackPosition p = packed->positions[i];
        area += long{sizes[i].width} * sizes[i].height;
        EXPECT_GE(p.x, 0);
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.x + sizes[i].width, packed->width);
        EXPECT_LE(p.y + sizes[i].height, packed->height);
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_FALSE(Overlap(p, sizes[i], packed->positions[j], sizes[j])) << i << " " << j;
        }
    }
    // Not wasteful: at least a quarter of the atlas is used.
    EXPECT_GE(area * 4, long{packed->width} * packed->height);
}

TEST(AtlasPacker, TooLargeIsRefused) {
    EXPECT_FALSE(PackShelves({{300, 10}}, 256));
    EXPECT_FALSE(PackShelves(std::vector<PackSize>(100, {100, 100}), 256));
    EXPECT_TRUE(PackShelves({{256, 256}}, 256));
}

}  // namespace
}  // namespace kr::text
