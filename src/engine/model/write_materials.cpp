#include "engine/model/write_parts.hpp"

namespace kr::model {
namespace {

int WrapCode(Wrap wrap) {
    switch (wrap) {
    case Wrap::ClampToEdge: return 33071;
    case Wrap::MirroredRepeat: return 33648;
    case Wrap::Repeat: break;
    }
    return 10497;
}

const char* AlphaModeName(AlphaMode mode) {
    switch (mode) {
    case AlphaMode::Mask: return "MASK";
    case AlphaMode::Blend: return "BLEND";
    case AlphaMode::Opaque: break;
    }
    return "OPAQUE";
}

}  // namespace

int TextureTable::TextureFor(int image, Wrap wrapS, Wrap wrapT) {
    const auto key = std::make_tuple(image, WrapCode(wrapS), WrapCode(wrapT));
    const auto found = textureOf_.find(key);
    if (found != textureOf_.end()) return found->second;
    const int texture = static_cast<int>(textures_.size());
    textures_.push_back({{"sampler", SamplerFor(WrapCode(wrapS), WrapCode(wrapT))}, {"source", image}});
    textureOf_[key] = texture;
    return texture;
}

int TextureTable::SamplerFor(int wrapS, int wrapT) {
    const auto found = samplerOf_.find({wrapS, wrapT});
    if (found != samplerOf_.end()) return found->second;
    const int sampler = static_cast<int>(samplers_.size());
    samplers_.push_back({{"wrapS", wrapS}, {"wrapT", wrapT}});
    samplerOf_[{wrapS, wrapT}] = sampler;
    return sampler;
}

Json MaterialJson(const Model& model, std::size_t index, TextureTable& textures) {
    const Material& material = model.materials[index];
    const std::string label = Named("material", index);
    Json pbr = {{"baseColorFactor", Numbers(&material.baseColour.x, 4, "base colour of " + label)},
                {"metallicFactor", Number(material.metallic, "metallic factor of " + label)},
                {"roughnessFactor", Number(material.roughness, "roughness factor of " + label)}};
    CheckReference(material.image, model.images.size(), true, "image of " + label);
    if (material.image != -1) {
        pbr["baseColorTexture"] = {{"index", textures.TextureFor(material.image, material.wrapS, material.wrapT)}};
    }
    Json out = Json::object();
    if (!material.name.empty()) out["name"] = material.name;
    out["pbrMetallicRoughness"] = std::move(pbr);
    out["emissiveFactor"] = Vec3Json(material.emissive, "emissive colour of " + label);
    out["alphaMode"] = AlphaModeName(material.alphaMode);
    if (material.alphaMode == AlphaMode::Mask) {
        out["alphaCutoff"] = Number(material.alphaCutoff, "alpha cutoff of " + label);
    }
    out["doubleSided"] = material.doubleSided;
    return out;
}

Json ImageJson(const Model& model, std::size_t index, BufferWriter& buffer) {
    const EmbeddedImage& image = model.images[index];
    if (image.encoded.empty()) Refuse(Named("image", index) + " has no bytes");
    if (image.mimeType.empty()) Refuse(Named("image", index) + " has no MIME type");
    Json out = Json::object();
    if (!image.name.empty()) out["name"] = image.name;
    out["bufferView"] = buffer.AddView(image.encoded.data(), image.encoded.size(), 0);
    out["mimeType"] = image.mimeType;
    return out;
}

}  // namespace kr::model
