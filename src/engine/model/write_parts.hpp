#pragma once
// Pieces of the GLB writer shared between its files. Internal to the writer.

#include <map>
#include <string>
#include <tuple>

#include "engine/model/model.hpp"
#include "engine/model/write_buffer.hpp"

namespace kr::model {

// Throws Error("WriteGlb: " + what).
[[noreturn]] void Refuse(const std::string& what);
// "what 3" for messages.
std::string Named(const char* what, std::size_t index);
// Refuses unless `index` selects one of `count` items (or is -1 when
// `optional`); `role` names the reference in the message.
void CheckReference(int index, std::size_t count, bool optional, const std::string& role);

// Numbers for the JSON document; refuses values that are not finite.
Json Numbers(const float* values, int count, const std::string& what);
Json Number(float value, const std::string& what);
Json Vec3Json(const glm::vec3& v, const std::string& what);

// glTF textures pair a picture with a sampler; one is made per distinct
// pairing the materials use, in order of first use.
class TextureTable {
public:
    int TextureFor(int image, Wrap wrapS, Wrap wrapT);
    const Json& textures() const { return textures_; }
    const Json& samplers() const { return samplers_; }

private:
    int SamplerFor(int wrapS, int wrapT);

    std::map<std::tuple<int, int, int>, int> textureOf_;
    std::map<std::pair<int, int>, int> samplerOf_;
    Json textures_ = Json::array();
    Json samplers_ = Json::array();
};

Json MaterialJson(const Model& model, std::size_t index, TextureTable& textures);
Json ImageJson(const Model& model, std::size_t index, BufferWriter& buffer);
Json SkinJson(const Model& model, std::size_t index, BufferWriter& buffer);
Json AnimationJson(const Model& model, std::size_t index, BufferWriter& buffer);

}  // namespace kr::model
