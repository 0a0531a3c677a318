#include <cmath>

#include "engine/model/accessors.hpp"
#include "engine/model/load_parts.hpp"

namespace kr::model {
namespace {

bool StartsWith(const std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> magic) {
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

// For pictures whose file does not say what they are.
std::string MimeTypeFromBytes(const std::vector<std::uint8_t>& bytes) {
    if (StartsWith(bytes, {0x89, 'P', 'N', 'G'})) return "image/png";
    if (StartsWith(bytes, {0xff, 0xd8, 0xff})) return "image/jpeg";
    return "";
}

EmbeddedImage ConvertImage(const GltfSource& source, std::size_t index) {
    const tinygltf::Image& in = source.gltf.images[index];
    EmbeddedImage out;
    out.name = in.name.empty() ? in.uri : in.name;
    out.mimeType = in.mimeType;
    if (in.bufferView != -1) {
        out.encoded = BufferViewBytes(source, in.bufferView, "buffer view of " + Describe("image", index));
    } else {
        out.encoded = in.image;  // from a data URI; external files stay empty
    }
    if (out.mimeType.empty()) out.mimeType = MimeTypeFromBytes(out.encoded);
    return out;
}

Wrap ToWrap(const GltfSource& source, int mode, const std::string& role) {
    switch (mode) {
    case TINYGLTF_TEXTURE_WRAP_REPEAT: return Wrap::Repeat;
    case TINYGLTF_TEXTURE_WRAP_CLAMP_TO_EDGE: return Wrap::ClampToEdge;
    case TINYGLTF_TEXTURE_WRAP_MIRRORED_REPEAT: return Wrap::MirroredRepeat;
    default: source.Fail(role + " has unknown wrap mode " + std::to_string(mode));
    }
}

AlphaMode ToAlphaMode(const GltfSource& source, const std::string& mode, const std::string& role) {
    if (mode == "OPAQUE") return AlphaMode::Opaque;
    if (mode == "MASK") return AlphaMode::Mask;
    if (mode == "BLEND") return AlphaMode::Blend;
    source.Fail(role + " has unknown alphaMode \"" + mode + "\"");
}

float CheckedFactor(const GltfSource& source, double value, const std::string& role) {
    if (!std::isfinite(value) || std::abs(value) > 1e30) source.Fail(role + " is out of range");
    return static_cast<float>(value);
}

// The picture and wrap modes of the base colour texture.
void ApplyBaseTexture(const GltfSource& source, int textureIndex, Material& out, const std::string& label) {
    if (textureIndex == -1) return;
    CheckIndex(source, textureIndex, source.gltf.textures.size(), "base colour texture of " + label);
    const tinygltf::Texture& texture = source.gltf.textures[static_cast<std::size_t>(textureIndex)];
    const std::string textureName = Describe("texture", static_cast<std::size_t>(textureIndex));
    if (texture.source != -1) {
        CheckIndex(source, texture.source, source.gltf.images.size(), "image of " + textureName);
        out.image = texture.source;
    }
    if (texture.sampler != -1) {
        CheckIndex(source, texture.sampler, source.gltf.samplers.size(), "sampler of " + textureName);
        const tinygltf::Sampler& sampler = source.gltf.samplers[static_cast<std::size_t>(texture.sampler)];
        const std::string samplerName = Describe("sampler", static_cast<std::size_t>(texture.sampler));
        out.wrapS = ToWrap(source, sampler.wrapS, samplerName);
        out.wrapT = ToWrap(source, sampler.wrapT, samplerName);
    }
}

Material ConvertMaterial(const GltfSource& source, std::size_t index) {
    const tinygltf::Material& in = source.gltf.materials[index];
    const tinygltf::PbrMetallicRoughness& pbr = in.pbrMetallicRoughness;
    const std::string label = Describe("material", index);
    Material out;
    out.name = in.name;
    for (int c = 0; c < 4 && pbr.baseColorFactor.size() == 4; ++c) {
        out.baseColour[c] =
            CheckedFactor(source, pbr.baseColorFactor[static_cast<std::size_t>(c)], label + " baseColorFactor");
    }
    for (int c = 0; c < 3 && in.emissiveFactor.size() == 3; ++c) {
        out.emissive[c] =
            CheckedFactor(source, in.emissiveFactor[static_cast<std::size_t>(c)], label + " emissiveFactor");
    }
    out.metallic = CheckedFactor(source, pbr.metallicFactor, label + " metallicFactor");
    out.roughness = CheckedFactor(source, pbr.roughnessFactor, label + " roughnessFactor");
    out.alphaMode = ToAlphaMode(source, in.alphaMode, label);
    out.alphaCutoff = CheckedFactor(source, in.alphaCutoff, label + " alphaCutoff");
    out.doubleSided = in.doubleSided;
    ApplyBaseTexture(source, pbr.baseColorTexture.index, out, label);
    return out;
}

}  // namespace

void LoadImages(const GltfSource& source, Model& model) {
    model.images.clear();
    for (std::size_t i = 0; i < source.gltf.images.size(); ++i) model.images.push_back(ConvertImage(source, i));
}

void LoadMaterials(const GltfSource& source, Model& model) {
    model.materials.clear();
    for (std::size_t i = 0; i < source.gltf.materials.size(); ++i) {
        model.materials.push_back(ConvertMaterial(source, i));
    }
}

}  // namespace kr::model
