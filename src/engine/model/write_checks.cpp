#include <cmath>

#include "engine/error.hpp"
#include "engine/model/write_parts.hpp"

namespace kr::model {

[[noreturn]] void Refuse(const std::string& what) { throw Error("WriteGlb: " + what); }

std::string Named(const char* what, std::size_t index) { return std::string(what) + " " + std::to_string(index); }

void CheckReference(int index, std::size_t count, bool optional, const std::string& role) {
    const bool inRange = index >= 0 && static_cast<std::size_t>(index) < count;
    if (!(optional && index == -1) && !inRange) {
        Refuse(role + " is " + std::to_string(index) + " of " + std::to_string(count));
    }
}

Json Numbers(const float* values, int count, const std::string& what) {
    Json out = Json::array();
    for (int i = 0; i < count; ++i) {
        if (!std::isfinite(values[i])) Refuse(what + " is not a finite number");
        out.push_back(values[i]);
    }
    return out;
}

Json Number(float value, const std::string& what) { return Numbers(&value, 1, what)[0]; }

Json Vec3Json(const glm::vec3& v, const std::string& what) { return Numbers(&v.x, 3, what); }

}  // namespace kr::model
