#include "engine/model/sampling.hpp"

#include <algorithm>

namespace kr::model {
namespace {

// Where a moment falls: between `key` and `next` at fraction `u` of the
// `span` seconds between them; key == next before the first or after the
// last key.
struct KeySpan {
    std::size_t key = 0;
    std::size_t next = 0;
    float u = 0.0f;
    float span = 0.0f;
};

KeySpan Locate(const std::vector<float>& times, float seconds) {
    if (!(seconds > times.front())) return {};  // also catches NaN
    if (!(seconds < times.back())) return {times.size() - 1, times.size() - 1};
    const std::size_t next =
        static_cast<std::size_t>(std::upper_bound(times.begin(), times.end(), seconds) - times.begin());
    const std::size_t key = next - 1;
    const float span = times[next] - times[key];
    return {key, next, span > 0.0f ? (seconds - times[key]) / span : 0.0f, span};
}

bool IsCubic(const Sampler& sampler) { return sampler.interpolation == Interpolation::CubicSpline; }

// Element `part` of key `key`: cubic splines store in-tangent (0), value (1)
// and out-tangent (2) per key, the others just the value.
glm::vec4 Element(const Sampler& sampler, std::size_t key, std::size_t width, std::size_t part) {
    const std::size_t element = IsCubic(sampler) ? key * 3 + part : key;
    glm::vec4 v(0.0f);
    for (std::size_t c = 0; c < width; ++c) v[static_cast<int>(c)] = sampler.values[element * width + c];
    return v;
}

glm::vec4 KeyValue(const Sampler& sampler, std::size_t key, std::size_t width) {
    return Element(sampler, key, width, 1);
}

glm::vec4 Hermite(const Sampler& sampler, const KeySpan& at, std::size_t width) {
    const float u = at.u;
    const float u2 = u * u;
    const float u3 = u2 * u;
    const glm::vec4 v0 = KeyValue(sampler, at.key, width);
    const glm::vec4 b0 = Element(sampler, at.key, width, 2) * at.span;
    const glm::vec4 v1 = KeyValue(sampler, at.next, width);
    const glm::vec4 a1 = Element(sampler, at.next, width, 0) * at.span;
    return (2 * u3 - 3 * u2 + 1) * v0 + (u3 - 2 * u2 + u) * b0 + (-2 * u3 + 3 * u2) * v1 + (u3 - u2) * a1;
}

glm::vec4 Interpolate(const Sampler& sampler, const KeySpan& at, std::size_t width) {
    if (at.key == at.next || sampler.interpolation == Interpolation::Step) return KeyValue(sampler, at.key, width);
    if (IsCubic(sampler)) return Hermite(sampler, at, width);
    return glm::mix(KeyValue(sampler, at.key, width), KeyValue(sampler, at.next, width), at.u);
}

glm::quat ToQuat(const glm::vec4& xyzw) {
    const glm::quat q(xyzw.w, xyzw.x, xyzw.y, xyzw.z);
    const float length = glm::length(q);
    return length > 0.0f ? q / length : glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
}

}  // namespace

bool SamplerFits(const Sampler& sampler, std::size_t width) {
    const std::size_t perKey = IsCubic(sampler) ? 3 : 1;
    return !sampler.times.empty() && sampler.values.size() >= sampler.times.size() * perKey * width;
}

glm::vec3 SampleVec3(const Sampler& sampler, float seconds) {
    return glm::vec3(Interpolate(sampler, Locate(sampler.times, seconds), 3));
}

glm::quat SampleRotation(const Sampler& sampler, float seconds) {
    const KeySpan at = Locate(sampler.times, seconds);
    if (sampler.interpolation == Interpolation::Linear && at.key != at.next) {
        // glm::slerp takes the shorter way round.
        return glm::normalize(
            glm::slerp(ToQuat(KeyValue(sampler, at.key, 4)), ToQuat(KeyValue(sampler, at.next, 4)), at.u));
    }
    return ToQuat(Interpolate(sampler, at, 4));
}

}  // namespace kr::model
