#pragma once
// Text widths at any em size without rasterising: unhinted advances and
// kerning from the font's tables, scaled linearly.

#include <memory>
#include <string>
#include <string_view>

#include "engine/game_folder.hpp"

namespace kr::text {

class FontFace;

class TextMeasurer {
public:
    // Throws FileError(nameForErrors, ...) for bad font bytes.
    TextMeasurer(const Bytes& ttf, const std::string& nameForErrors);
    ~TextMeasurer();
    TextMeasurer(TextMeasurer&&) noexcept;
    TextMeasurer& operator=(TextMeasurer&&) noexcept;

    // The advance width in pixels with the font scaled so its em is emPx
    // pixels, kerning included; an empty text measures 0. Throws kr::Error
    // for a negative or non-finite em.
    float Measure(float emPx, std::string_view cp1250) const;

private:
    std::unique_ptr<FontFace> face_;
};

// One-off form of TextMeasurer::Measure; opens the font on every call.
float MeasureTextAtEm(const Bytes& ttf, float emPx, std::string_view cp1250,
                      const std::string& nameForErrors = "font");

}  // namespace kr::text
