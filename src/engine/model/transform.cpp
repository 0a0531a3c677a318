#include "engine/model/transform.hpp"

#include <glm/gtc/matrix_transform.hpp>

namespace kr::model {
namespace {

constexpr float kTinyScale = 1e-12f;

}  // namespace

glm::mat4 ComposeTrs(const glm::vec3& translation, const glm::quat& rotation, const glm::vec3& scale) {
    glm::mat4 matrix = glm::mat4_cast(rotation);
    for (int c = 0; c < 3; ++c) matrix[c] *= scale[c];
    matrix[3] = glm::vec4(translation, 1.0f);
    return matrix;
}

Trs DecomposeTrs(const glm::mat4& matrix) {
    Trs trs;
    trs.translation = glm::vec3(matrix[3]);
    glm::mat3 basis(matrix);
    for (int c = 0; c < 3; ++c) trs.scale[c] = glm::length(basis[c]);
    if (glm::determinant(basis) < 0.0f) trs.scale.x = -trs.scale.x;
    for (int c = 0; c < 3; ++c) {
        // A collapsed axis keeps the unit axis so the rotation stays valid.
        basis[c] = std::abs(trs.scale[c]) > kTinyScale ? basis[c] / trs.scale[c] : glm::mat3(1.0f)[c];
    }
    trs.rotation = glm::normalize(glm::quat_cast(basis));
    return trs;
}

}  // namespace kr::model
