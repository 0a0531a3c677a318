#include "engine/text/text_measurer.hpp"

#include <cmath>

#include "engine/error.hpp"
#include "engine/text/font_face.hpp"

namespace kr::text {

TextMeasurer::TextMeasurer(const Bytes& ttf, const std::string& nameForErrors)
    : face_(std::make_unique<FontFace>(ttf, nameForErrors)) {}

TextMeasurer::~TextMeasurer() = default;
TextMeasurer::TextMeasurer(TextMeasurer&&) noexcept = default;
TextMeasurer& TextMeasurer::operator=(TextMeasurer&&) noexcept = default;

float TextMeasurer::Measure(float emPx, std::string_view cp1250) const {
    if (!std::isfinite(emPx) || emPx < 0) {
        throw Error(face_->Name() + ": cannot measure text at em size " + std::to_string(emPx));
    }
    return static_cast<float>(face_->TextAdvance(cp1250)) * emPx /
           static_cast<float>(face_->UnitsPerEm());
}

float MeasureTextAtEm(const Bytes& ttf, float emPx, std::string_view cp1250,
                      const std::string& nameForErrors) {
    return TextMeasurer(ttf, nameForErrors).Measure(emPx, cp1250);
}

}  // namespace kr::text
