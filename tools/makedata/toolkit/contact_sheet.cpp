#include "toolkit/contact_sheet.hpp"

#include <algorithm>
#include <cmath>

namespace kr::toolkit {

image::Image ContactSheet(const std::vector<image::Image>& pictures, int columns, glm::vec3 background,
                          int padding) {
    int cellW = 1, cellH = 1;
    for (const auto& p : pictures) {
        cellW = std::max(cellW, p.width);
        cellH = std::max(cellH, p.height);
    }
    const int count = static_cast<int>(pictures.size());
    columns = std::clamp(columns, 1, std::max(count, 1));
    const int rows = std::max(1, (count + columns - 1) / columns);
    image::Image sheet(padding + columns * (cellW + padding), padding + rows * (cellH + padding));
    const auto toByte = [](float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
    for (int y = 0; y < sheet.height; ++y)
        for (int x = 0; x < sheet.width; ++x) {
            std::uint8_t* t = sheet.Pixel(x, y);
            for (int c = 0; c < 3; ++c) t[c] = toByte(background[c]);
            t[3] = 255;
        }
    for (int i = 0; i < count; ++i) {
        const image::Image& p = pictures[static_cast<std::size_t>(i)];
        const int ox = padding + (i % columns) * (cellW + padding);
        const int oy = padding + (i / columns) * (cellH + padding);
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                const std::uint8_t* s = p.Pixel(x, y);
                std::uint8_t* d = sheet.Pixel(ox + x, oy + y);
                const int a = s[3];
                for (int c = 0; c < 3; ++c) d[c] = static_cast<std::uint8_t>((s[c] * a + d[c] * (255 - a) + 127) / 255);
            }
    }
    return sheet;
}

}  // namespace kr::toolkit
