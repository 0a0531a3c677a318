#pragma once
// Textures registered under names chosen by the game and found again by
// name; the engine hands out integer ids (0 means "no texture").

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/backend.hpp"
#include "engine/game_folder.hpp"

namespace kr {

// Colour-key values the game passes when loading a picture.
namespace colour_key {
inline constexpr std::int32_t kNone = 0;             // the picture as it is
inline constexpr std::int32_t kOwnAlpha = -327764;   // the picture's alpha channel
inline constexpr std::int32_t kBlack = -16777216;    // 0xFF000000: black is transparent
inline constexpr std::int32_t kRed = -65536;         // 0xFFFF0000: red is transparent
}  // namespace colour_key

struct TextureInfo {
    std::string name;
    int width = 0;
    int height = 0;
    TextureHandle handle = 0;
};

class TextureRegistry {
public:
    TextureRegistry(Backend& backend, const GameFolder& folder);
    ~TextureRegistry();
    TextureRegistry(const TextureRegistry&) = delete;
    TextureRegistry& operator=(const TextureRegistry&) = delete;

    // Loads a picture under `name`, replacing the picture of a texture of
    // that name (which keeps its id). Width
    // and height -1 take the file's size; other sizes are accepted and the
    // picture keeps its own resolution (drawing takes explicit coordinates).
    int Load(std::string_view path, std::string_view name, int width = -1, int height = -1,
             std::int32_t colourKey = colour_key::kNone);
    // Registers a picture made in memory (font atlases, generated pictures).
    int Add(std::string_view name, const image::MipChain& picture);

    // Replaces the picture of a loaded texture; the id stays valid.
    void Update(int id, const image::Image& picture);

    bool Has(std::string_view name) const;
    bool IsLoaded(int id) const { return id >= 1 && id <= static_cast<int>(slots_.size()) && slots_[id - 1].handle; }
    // Throws when no texture has that name.
    int Id(std::string_view name) const;
    const TextureInfo& Info(int id) const;
    TextureHandle Handle(int id) const;
    // Deleting a name that is not loaded does nothing.
    void Delete(std::string_view name);
    void DeleteAll();
    std::size_t Count() const { return byName_.size(); }

private:
    int Store(std::string_view name, const image::MipChain& picture);

    Backend& backend_;
    const GameFolder& folder_;
    std::vector<TextureInfo> slots_;  // index = id - 1; released slots keep handle 0
    std::unordered_map<std::string, int> byName_;
};

}  // namespace kr
