#include "engine/textures.hpp"

#include "engine/error.hpp"
#include "engine/image/image.hpp"

namespace kr {

TextureRegistry::TextureRegistry(Backend& backend, const GameFolder& folder)
    : backend_(backend), folder_(folder) {}

TextureRegistry::~TextureRegistry() {
    for (auto& slot : slots_) {
        if (slot.handle) backend_.ReleaseTexture(slot.handle);
    }
}

int TextureRegistry::Load(std::string_view path, std::string_view name, int width, int height,
                          std::int32_t colourKey) {
    if (width == 0 || height == 0 || width < -1 || height < -1)
        throw FileError(std::string(path), "invalid texture size requested");
    Bytes data = folder_.ReadAll(path);
    image::MipChain picture = image::DecodeImage(data, std::string(path));
    image::ApplyColourKey(picture, colourKey);
    return Store(name, picture);
}

int TextureRegistry::Add(std::string_view name, const image::MipChain& picture) {
    return Store(name, picture);
}

// A name keeps its id when its picture is replaced, so everything that holds
// the id (meshes, emitters) shows the new picture.
int TextureRegistry::Store(std::string_view name, const image::MipChain& picture) {
    if (picture.levels.empty()) throw Error("texture '" + std::string(name) + "' has no picture");
    TextureHandle handle = backend_.UploadTexture(picture);
    TextureInfo info{std::string(name), picture.levels[0].width, picture.levels[0].height, handle};
    auto it = byName_.find(info.name);
    if (it != byName_.end()) {
        TextureInfo& slot = slots_[it->second - 1];
        backend_.ReleaseTexture(slot.handle);
        slot = info;
        return it->second;
    }
    slots_.push_back(info);
    int id = static_cast<int>(slots_.size());
    byName_[info.name] = id;
    return id;
}

void TextureRegistry::Update(int id, const image::Image& picture) {
    Info(id);  // throws for an id that is not loaded
    TextureInfo& slot = slots_[id - 1];
    slot.width = picture.width;
    slot.height = picture.height;
    backend_.UpdateTexture(slot.handle, picture);
}

bool TextureRegistry::Has(std::string_view name) const {
    return byName_.count(std::string(name)) != 0;
}

int TextureRegistry::Id(std::string_view name) const {
    auto it = byName_.find(std::string(name));
    if (it == byName_.end()) throw Error("texture '" + std::string(name) + "' is not loaded");
    return it->second;
}

const TextureInfo& TextureRegistry::Info(int id) const {
    if (id < 1 || id > static_cast<int>(slots_.size()) || slots_[id - 1].handle == 0)
        throw Error("texture id " + std::to_string(id) + " is not loaded");
    return slots_[id - 1];
}

TextureHandle TextureRegistry::Handle(int id) const {
    return id == 0 ? 0 : Info(id).handle;
}

void TextureRegistry::Delete(std::string_view name) {
    auto it = byName_.find(std::string(name));
    if (it == byName_.end()) return;
    TextureInfo& slot = slots_[it->second - 1];
    backend_.ReleaseTexture(slot.handle);
    slot.handle = 0;
    byName_.erase(it);
}

void TextureRegistry::DeleteAll() {
    while (!byName_.empty()) Delete(byName_.begin()->first);
}

}  // namespace kr
