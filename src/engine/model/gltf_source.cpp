#include "engine/model/gltf_source.hpp"

namespace kr::model {

std::string Describe(const char* what, std::size_t index) { return std::string(what) + " " + std::to_string(index); }

void CheckIndex(const GltfSource& source, long long index, std::size_t count, const std::string& role) {
    if (index < 0 || static_cast<unsigned long long>(index) >= count) {
        source.Fail(role + " refers to " + std::to_string(index) +
                    (count == 0 ? ", but there are none" : ", but the last is " + std::to_string(count - 1)));
    }
}

}  // namespace kr::model
