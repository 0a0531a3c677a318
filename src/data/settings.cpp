#include "data/settings.hpp"

#include "data/binary_io.hpp"

namespace kr {

namespace {

// The field order of "config.dat", for reading and writing alike.
template <class Io, class Record>
void Fields(Io& io, Record& s) {
    io.Field(s.Language);
    io.Field(s.WindowMode);
    io.Field(s.Antialias);
    io.Field(s.FilterLevel);
    io.Field(s.GlowEnabled);
    io.Field(s.LightingLevel);
    io.Field(s.DetailLevel);
    io.Field(s.PaddingAfterDetail);
    io.Field(s.ScreenWidth);
    io.Field(s.ScreenHeight);
    io.Field(s.ColourDepth);
    io.Field(s.PaddingAfterColourDepth);
    io.Field(s.DisplayParam);
}

}  // namespace

Bytes SettingsToBytes(const Settings& settings) {
    ByteWriter out(Settings::kByteSize);
    Fields(out, settings);
    return out.Take();
}

Settings SettingsFromBytes(std::span<const std::uint8_t> image) {
    ByteReader in(image, Settings::kByteSize, "settings");
    Settings settings;
    Fields(in, settings);
    return settings;
}

void LoadSettings(const GameFolder& folder, Settings& settings) {
    settings = SettingsFromBytes(folder.ReadPrefix(kSettingsFile, Settings::kByteSize));
}

void SaveSettings(const GameFolder& folder, const Settings& settings) {
    folder.WriteAtomic(kSettingsFile, SettingsToBytes(settings));
}

}  // namespace kr
