#include "data/settings.hpp"

#include "data/binary_io.hpp"

namespace kr {

Bytes SettingsToBytes(const Settings& settings) {
    ByteWriter out(Settings::kByteSize);
    out.Text(settings.Language);
    out.U8(settings.WindowMode);
    out.U8(settings.Antialias);
    out.U8(settings.FilterLevel);
    out.U8(settings.GlowEnabled);
    out.U8(settings.LightingLevel);
    out.U8(settings.DetailLevel);
    out.Raw(settings.PaddingAfterDetail);
    out.I32(settings.ScreenWidth);
    out.I32(settings.ScreenHeight);
    out.U8(settings.ColourDepth);
    out.Raw(settings.PaddingAfterColourDepth);
    out.F64(settings.DisplayParam);
    return out.Take();
}

Settings SettingsFromBytes(std::span<const std::uint8_t> image) {
    ByteReader in(image, Settings::kByteSize, "settings");
    Settings settings;
    in.Text(settings.Language);
    settings.WindowMode = in.U8();
    settings.Antialias = in.U8();
    settings.FilterLevel = in.U8();
    settings.GlowEnabled = in.U8();
    settings.LightingLevel = in.U8();
    settings.DetailLevel = in.U8();
    in.Raw(settings.PaddingAfterDetail);
    settings.ScreenWidth = in.I32();
    settings.ScreenHeight = in.I32();
    settings.ColourDepth = in.U8();
    in.Raw(settings.PaddingAfterColourDepth);
    settings.DisplayParam = in.F64();
    return settings;
}

void LoadSettings(const GameFolder& folder, Settings& settings) {
    settings = SettingsFromBytes(folder.ReadPrefix(kSettingsFile, Settings::kByteSize));
}

void SaveSettings(const GameFolder& folder, const Settings& settings) {
    folder.WriteAtomic(kSettingsFile, SettingsToBytes(settings));
}

}  // namespace kr
