#pragma once
// The single binary buffer of a written GLB file, with the buffer views and
// accessors that describe it. Internal to the writer.

#include <cstdint>
#include <vector>

#include <nlohmann/json.hpp>

#include "engine/game_folder.hpp"

namespace kr::model {

using Json = nlohmann::ordered_json;

inline constexpr int kArrayBuffer = 34962;
inline constexpr int kElementArrayBuffer = 34963;

class BufferWriter {
public:
    // Appends bytes at the next 4-byte boundary as a new buffer view;
    // `target` 0 leaves the target out. Returns the view's number.
    int AddView(const std::uint8_t* bytes, std::size_t size, int target);

    // Float data of `components` per element ("SCALAR", "VEC2", ... by
    // count, 16 = "MAT4"); `bounds` writes min and max.
    int AddFloats(const std::vector<float>& values, int components, int target, bool bounds);
    // VEC4 of unsigned shorts (skin joints).
    int AddU16Vec4(const std::vector<std::uint16_t>& values);
    // Triangle indices: unsigned short when every index fits below 65535,
    // else unsigned int.
    int AddIndices(const std::vector<std::uint32_t>& indices);

    const Bytes& bin() const { return bin_; }
    const Json& views() const { return views_; }
    const Json& accessors() const { return accessors_; }

private:
    int AddAccessor(int view, int componentType, std::size_t count, int components);

    Bytes bin_;
    Json views_ = Json::array();
    Json accessors_ = Json::array();
};

}  // namespace kr::model
