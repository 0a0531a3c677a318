#include "engine/model/accessors.hpp"

#include <algorithm>
#include <cstring>

namespace kr::model {
namespace {

// An accessor without a buffer view is all zeros (plus sparse values); its
// size is not bounded by any data, so it is bounded here (in numbers).
constexpr std::uint64_t kMaxLooseValues = 1u << 22;

int ComponentSize(int componentType) {
    switch (componentType) {
    case TINYGLTF_COMPONENT_TYPE_BYTE:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE: return 1;
    case TINYGLTF_COMPONENT_TYPE_SHORT:
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: return 2;
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT:
    case TINYGLTF_COMPONENT_TYPE_FLOAT: return 4;
    default: return 0;
    }
}

int ComponentsOf(int type) {
    switch (type) {
    case TINYGLTF_TYPE_SCALAR: return 1;
    case TINYGLTF_TYPE_VEC2: return 2;
    case TINYGLTF_TYPE_VEC3: return 3;
    case TINYGLTF_TYPE_VEC4: return 4;
    case TINYGLTF_TYPE_MAT4: return 16;
    default: return 0;
    }
}

const char* TypeName(int type) {
    switch (type) {
    case TINYGLTF_TYPE_SCALAR: return "SCALAR";
    case TINYGLTF_TYPE_VEC2: return "VEC2";
    case TINYGLTF_TYPE_VEC3: return "VEC3";
    case TINYGLTF_TYPE_VEC4: return "VEC4";
    case TINYGLTF_TYPE_MAT4: return "MAT4";
    default: return "an unsupported type";
    }
}

bool RangeFits(std::uint64_t offset, std::uint64_t length, std::uint64_t size) {
    return offset <= size && length <= size - offset;
}

// Reads one little-endian component as a number, exactly.
double ReadComponent(const std::uint8_t* p, int componentType) {
    std::uint32_t bits = 0;
    for (int i = ComponentSize(componentType) - 1; i >= 0; --i) bits = bits << 8 | p[i];
    switch (componentType) {
    case TINYGLTF_COMPONENT_TYPE_BYTE: return static_cast<std::int8_t>(bits);
    case TINYGLTF_COMPONENT_TYPE_SHORT: return static_cast<std::int16_t>(bits);
    case TINYGLTF_COMPONENT_TYPE_FLOAT: {
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    default: return bits;
    }
}

// Integer-to-float mapping of normalized accessors.
double Normalize(double value, int componentType) {
    switch (componentType) {
    case TINYGLTF_COMPONENT_TYPE_BYTE: return std::max(value / 127.0, -1.0);
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE: return value / 255.0;
    case TINYGLTF_COMPONENT_TYPE_SHORT: return std::max(value / 32767.0, -1.0);
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT: return value / 65535.0;
    case TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT: return value / 4294967295.0;
    default: return value;
    }
}

const tinygltf::BufferView& CheckedView(const GltfSource& source, int index, const std::string& role) {
    CheckIndex(source, index, source.gltf.bufferViews.size(), role);
    const tinygltf::BufferView& view = source.gltf.bufferViews[static_cast<std::size_t>(index)];
    const std::string name = Describe("buffer view", static_cast<std::size_t>(index));
    CheckIndex(source, view.buffer, source.gltf.buffers.size(), "buffer of " + name);
    const std::size_t bufferSize = source.gltf.buffers[static_cast<std::size_t>(view.buffer)].data.size();
    if (view.byteLength == 0 || !RangeFits(view.byteOffset, view.byteLength, bufferSize)) {
        source.Fail(name + " (" + std::to_string(view.byteLength) + " bytes at " + std::to_string(view.byteOffset) +
                    ") does not lie inside its buffer of " + std::to_string(bufferSize) + " bytes");
    }
    return view;
}

// Where checked elements start in a buffer and how far apart they are.
struct Window {
    const std::uint8_t* base = nullptr;
    std::uint64_t stride = 0;
};

class AccessorReader {
public:
    AccessorReader(const GltfSource& source, int index, const std::string& role) : source_(source) {
        CheckIndex(source, index, source.gltf.accessors.size(), "accessor of " + role);
        accessor_ = &source.gltf.accessors[static_cast<std::size_t>(index)];
        label_ = Describe("accessor", static_cast<std::size_t>(index)) + " (" + role + ")";
        CheckShape();
    }

    const tinygltf::Accessor& accessor() const { return *accessor_; }

    void RequireType(int type) const {
        if (accessor_->type != type) {
            Fail(std::string("has type ") + TypeName(accessor_->type) + ", expected " + TypeName(type));
        }
    }

    // Every component as an exact number, element after element.
    std::vector<double> Components() const {
        std::vector<double> values(accessor_->count * components_, 0.0);
        if (accessor_->bufferView >= 0) Copy(dense_, accessor_->count, 0, values);
        if (accessor_->sparse.isSparse) ApplySparse(values);
        return values;
    }

    [[noreturn]] void Fail(const std::string& what) const { source_.Fail(label_ + " " + what); }

private:
    void CheckShape() {
        componentSize_ = ComponentSize(accessor_->componentType);
        components_ = static_cast<std::size_t>(ComponentsOf(accessor_->type));
        if (componentSize_ == 0) Fail("has unsupported component type " + std::to_string(accessor_->componentType));
        if (components_ == 0) Fail(std::string("has unsupported type ") + TypeName(accessor_->type));
        if (accessor_->count == 0) Fail("has no elements");
        elementSize_ = components_ * static_cast<std::uint64_t>(componentSize_);
        if (accessor_->bufferView < 0) {
            if (!accessor_->sparse.isSparse) Fail("has neither a buffer view nor sparse values");
            if (accessor_->count > kMaxLooseValues / components_) Fail("has too many elements without a buffer view");
        } else {
            dense_ = ViewWindow(accessor_->bufferView, accessor_->byteOffset, accessor_->count,
                                CheckedStride(accessor_->bufferView));
        }
    }

    const tinygltf::BufferView& View(int index) const {
        return CheckedView(source_, index, "buffer view of " + label_);
    }

    std::uint64_t CheckedStride(int viewIndex) const {
        const tinygltf::BufferView& view = View(viewIndex);
        if (view.byteStride == 0) return elementSize_;
        if (view.byteStride < elementSize_ || view.byteStride > 252) {
            Fail("has byte stride " + std::to_string(view.byteStride) + " for " + std::to_string(elementSize_) +
                 "-byte elements");
        }
        return view.byteStride;
    }

    // Checks that `count` elements from `offset` with `stride` lie inside the
    // view, and returns where they start.
    Window ViewWindow(int viewIndex, std::uint64_t offset, std::uint64_t count, std::uint64_t stride) const {
        const tinygltf::BufferView& view = View(viewIndex);
        const bool fits = count - 1 <= view.byteLength / stride &&
                          RangeFits(offset, (count - 1) * stride + elementSize_, view.byteLength);
        if (!fits) {
            Fail("reads " + std::to_string(count) + " elements from byte " + std::to_string(offset) +
                 ", past the end of its " + std::to_string(view.byteLength) + "-byte buffer view");
        }
        const auto& buffer = source_.gltf.buffers[static_cast<std::size_t>(view.buffer)].data;
        return {buffer.data() + view.byteOffset + offset, stride};
    }

    // Copies `count` elements from `window` into `values`, element `first` on.
    void Copy(const Window& window, std::uint64_t count, std::uint64_t first, std::vector<double>& values) const {
        for (std::uint64_t e = 0; e < count; ++e) {
            const std::uint8_t* element = window.base + e * window.stride;
            for (std::size_t c = 0; c < components_; ++c) {
                values[(first + e) * components_ + c] =
                    ReadComponent(element + c * componentSize_, accessor_->componentType);
            }
        }
    }

    void ApplySparse(std::vector<double>& values) const {
        const auto& sparse = accessor_->sparse;
        if (sparse.count < 1 || static_cast<std::uint64_t>(sparse.count) > accessor_->count) {
            Fail("has " + std::to_string(sparse.count) + " sparse values for " + std::to_string(accessor_->count) +
                 " elements");
        }
        const std::vector<std::uint64_t> targets = SparseIndices();
        if (sparse.values.byteOffset < 0) Fail("has a negative sparse value offset");
        const Window window = ViewWindow(sparse.values.bufferView, static_cast<std::uint64_t>(sparse.values.byteOffset),
                                         targets.size(), elementSize_);
        std::vector<double> replacement(targets.size() * components_);
        Copy(window, targets.size(), 0, replacement);
        for (std::size_t i = 0; i < targets.size(); ++i) {
            std::copy_n(replacement.begin() + static_cast<std::ptrdiff_t>(i * components_), components_,
                        values.begin() + static_cast<std::ptrdiff_t>(targets[i] * components_));
        }
    }

    std::vector<std::uint64_t> SparseIndices() const {
        const auto& indices = accessor_->sparse.indices;
        const int size = ComponentSize(indices.componentType);
        if (size == 0 || indices.componentType == TINYGLTF_COMPONENT_TYPE_FLOAT ||
            indices.componentType == TINYGLTF_COMPONENT_TYPE_BYTE ||
            indices.componentType == TINYGLTF_COMPONENT_TYPE_SHORT) {
            Fail("has sparse indices of unsupported type " + std::to_string(indices.componentType));
        }
        if (indices.byteOffset < 0) Fail("has a negative sparse index offset");
        const tinygltf::BufferView& view = View(indices.bufferView);
        const std::uint64_t count = static_cast<std::uint64_t>(accessor_->sparse.count);
        if (!RangeFits(static_cast<std::uint64_t>(indices.byteOffset), count * static_cast<std::uint64_t>(size),
                       view.byteLength)) {
            Fail("has sparse indices past the end of their buffer view");
        }
        const auto& buffer = source_.gltf.buffers[static_cast<std::size_t>(view.buffer)].data;
        const std::uint8_t* base = buffer.data() + view.byteOffset + static_cast<std::uint64_t>(indices.byteOffset);
        std::vector<std::uint64_t> targets(count);
        for (std::uint64_t i = 0; i < count; ++i) {
            targets[i] = static_cast<std::uint64_t>(ReadComponent(base + i * size, indices.componentType));
            if (targets[i] >= accessor_->count) {
                Fail("has sparse index " + std::to_string(targets[i]) + " past its " +
                     std::to_string(accessor_->count) + " elements");
            }
        }
        return targets;
    }

    const GltfSource& source_;
    std::string label_;
    const tinygltf::Accessor* accessor_ = nullptr;
    int componentSize_ = 0;
    std::size_t components_ = 0;
    std::uint64_t elementSize_ = 0;
    Window dense_;  // the elements in the accessor's own buffer view
};

bool IsNormalizableInteger(int componentType) {
    return componentType == TINYGLTF_COMPONENT_TYPE_BYTE || componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE ||
           componentType == TINYGLTF_COMPONENT_TYPE_SHORT || componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT;
}

void CheckFloatComponents(const AccessorReader& reader, FloatComponents allowed) {
    const tinygltf::Accessor& accessor = reader.accessor();
    const bool isFloat = accessor.componentType == TINYGLTF_COMPONENT_TYPE_FLOAT;
    const bool normalizedInteger = accessor.normalized && IsNormalizableInteger(accessor.componentType);
    const bool ok = allowed == FloatComponents::Any || isFloat ||
                    (allowed == FloatComponents::FloatOrNormalized && normalizedInteger);
    if (!ok) {
        reader.Fail("has component type " + std::to_string(accessor.componentType) +
                    (allowed == FloatComponents::FloatOnly ? ", expected float" : ", expected float or normalized"));
    }
}

}  // namespace

std::vector<std::uint8_t> BufferViewBytes(const GltfSource& source, int view, const std::string& role) {
    const tinygltf::BufferView& checked = CheckedView(source, view, role);
    const auto& buffer = source.gltf.buffers[static_cast<std::size_t>(checked.buffer)].data;
    const auto begin = buffer.begin() + static_cast<std::ptrdiff_t>(checked.byteOffset);
    return {begin, begin + static_cast<std::ptrdiff_t>(checked.byteLength)};
}

std::size_t AccessorCount(const GltfSource& source, int accessor, const std::string& role) {
    return AccessorReader(source, accessor, role).accessor().count;
}

std::vector<float> ReadFloats(const GltfSource& source, int accessor, int type, FloatComponents allowed,
                              const std::string& role) {
    const AccessorReader reader(source, accessor, role);
    reader.RequireType(type);
    CheckFloatComponents(reader, allowed);
    const std::vector<double> raw = reader.Components();
    const bool normalize = reader.accessor().normalized;
    const int componentType = reader.accessor().componentType;
    std::vector<float> values(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        values[i] = static_cast<float>(normalize ? Normalize(raw[i], componentType) : raw[i]);
    }
    return values;
}

std::vector<std::uint32_t> ReadUnsigned(const GltfSource& source, int accessor, int type, const std::string& role) {
    const AccessorReader reader(source, accessor, role);
    reader.RequireType(type);
    const int componentType = reader.accessor().componentType;
    const bool isUnsigned = componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE ||
                            componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT ||
                            componentType == TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT;
    if (!isUnsigned) reader.Fail("has component type " + std::to_string(componentType) + ", expected unsigned");
    const std::vector<double> raw = reader.Components();
    std::vector<std::uint32_t> values(raw.size());
    std::transform(raw.begin(), raw.end(), values.begin(), [](double v) { return static_cast<std::uint32_t>(v); });
    return values;
}

}  // namespace kr::model
