#pragma once
// The display and quality settings with the chosen language: one 48-byte
// record, kept in memory for the whole run and stored in "config.dat".

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "data/pascal_string.hpp"
#include "engine/game_folder.hpp"

namespace kr {

inline constexpr const char* kSettingsFile = "config.dat";

struct Settings {
    static constexpr std::size_t kByteSize = 48;

    PascalString<15> Language;           // 0: stem of the language files
    std::uint8_t WindowMode = 0;         // 16
    std::uint8_t Antialias = 0;          // 17
    std::uint8_t FilterLevel = 0;        // 18
    std::uint8_t GlowEnabled = 0;        // 19
    std::uint8_t LightingLevel = 0;      // 20
    std::uint8_t DetailLevel = 0;        // 21
    std::array<std::uint8_t, 2> PaddingAfterDetail{};  // 22
    std::int32_t ScreenWidth = 0;        // 24
    std::int32_t ScreenHeight = 0;       // 28
    std::uint8_t ColourDepth = 0;        // 32
    std::array<std::uint8_t, 7> PaddingAfterColourDepth{};  // 33
    double DisplayParam = 0.0;           // 40
};

// The record as stored: exactly Settings::kByteSize bytes.
Bytes SettingsToBytes(const Settings& settings);
// Reads the first Settings::kByteSize bytes of `image`; throws kr::Error when
// it is shorter.
Settings SettingsFromBytes(std::span<const std::uint8_t> image);

// Reads "config.dat"; a missing or short file raises kr::FileError.
void LoadSettings(const GameFolder& folder, Settings& settings);
// Replaces "config.dat" with the 48-byte record.
void SaveSettings(const GameFolder& folder, const Settings& settings);

}  // namespace kr
