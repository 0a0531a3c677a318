#include "engine/model/write_buffer.hpp"

#include <algorithm>
#include <cstring>
#include <limits>

namespace kr::model {
namespace {

constexpr int kUnsignedShort = 5123;
constexpr int kUnsignedInt = 5125;
constexpr int kFloat = 5126;

const char* TypeFor(int components) {
    switch (components) {
    case 1: return "SCALAR";
    case 2: return "VEC2";
    case 3: return "VEC3";
    case 4: return "VEC4";
    default: return "MAT4";
    }
}

template <typename T>
std::vector<std::uint8_t> LittleEndianBytes(const std::vector<T>& values) {
    std::vector<std::uint8_t> bytes(values.size() * sizeof(T));
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::uint32_t bits = 0;
        if constexpr (sizeof(T) == 4) {
            std::memcpy(&bits, &values[i], 4);
        } else {
            bits = values[i];
        }
        for (std::size_t b = 0; b < sizeof(T); ++b) {
            bytes[i * sizeof(T) + b] = static_cast<std::uint8_t>(bits >> (8 * b));
        }
    }
    return bytes;
}

}  // namespace

int BufferWriter::AddView(const std::uint8_t* bytes, std::size_t size, int target) {
    bin_.resize((bin_.size() + 3) / 4 * 4, 0);
    Json view = {{"buffer", 0}, {"byteOffset", bin_.size()}, {"byteLength", size}};
    if (target != 0) view["target"] = target;
    bin_.insert(bin_.end(), bytes, bytes + size);
    views_.push_back(std::move(view));
    return static_cast<int>(views_.size()) - 1;
}

int BufferWriter::AddAccessor(int view, int componentType, std::size_t count, int components) {
    accessors_.push_back(
        {{"bufferView", view}, {"componentType", componentType}, {"count", count}, {"type", TypeFor(components)}});
    return static_cast<int>(accessors_.size()) - 1;
}

int BufferWriter::AddFloats(const std::vector<float>& values, int components, int target, bool bounds) {
    const std::vector<std::uint8_t> bytes = LittleEndianBytes(values);
    const std::size_t count = values.size() / static_cast<std::size_t>(components);
    const int accessor = AddAccessor(AddView(bytes.data(), bytes.size(), target), kFloat, count, components);
    if (bounds) {
        Json min = Json::array(), max = Json::array();
        for (int c = 0; c < components; ++c) {
            float lo = std::numeric_limits<float>::max(), hi = std::numeric_limits<float>::lowest();
            for (std::size_t e = 0; e < count; ++e) {
                lo = std::min(lo, values[e * static_cast<std::size_t>(components) + static_cast<std::size_t>(c)]);
                hi = std::max(hi, values[e * static_cast<std::size_t>(components) + static_cast<std::size_t>(c)]);
            }
            min.push_back(lo);
            max.push_back(hi);
        }
        accessors_.back()["min"] = std::move(min);
        accessors_.back()["max"] = std::move(max);
    }
    return accessor;
}

int BufferWriter::AddU16Vec4(const std::vector<std::uint16_t>& values) {
    const std::vector<std::uint8_t> bytes = LittleEndianBytes(values);
    return AddAccessor(AddView(bytes.data(), bytes.size(), kArrayBuffer), kUnsignedShort, values.size() / 4, 4);
}

int BufferWriter::AddIndices(const std::vector<std::uint32_t>& indices) {
    // The largest value of a type is reserved (primitive restart).
    const bool small = std::all_of(indices.begin(), indices.end(), [](std::uint32_t i) { return i < 0xffff; });
    if (small) {
        const std::vector<std::uint16_t> narrow(indices.begin(), indices.end());
        const std::vector<std::uint8_t> bytes = LittleEndianBytes(narrow);
        return AddAccessor(AddView(bytes.data(), bytes.size(), kElementArrayBuffer), kUnsignedShort, indices.size(), 1);
    }
    const std::vector<std::uint8_t> bytes = LittleEndianBytes(indices);
    return AddAccessor(AddView(bytes.data(), bytes.size(), kElementArrayBuffer), kUnsignedInt, indices.size(), 1);
}

}  // namespace kr::model
