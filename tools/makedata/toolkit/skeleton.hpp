#pragma once
// A bone hierarchy for animated models and the skin weights that bind a
// mesh to it. Joints are listed parents first; their rest transforms are
// relative to the parent, and the mesh is modelled in the rest pose.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include "engine/model/model.hpp"

namespace kr::toolkit {

struct Joint {
    std::string name;
    int parent = -1;
    glm::vec3 translation{0.0f};
    glm::quat rotation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::vec3 scale{1.0f};
};

class Skeleton {
public:
    // Returns the new joint's index. Throws kr::Error for a parent that is
    // not an earlier joint, or a name already taken or empty.
    int AddJoint(std::string name, int parent, glm::vec3 translation,
                 glm::quat rotation = glm::quat(1.0f, 0.0f, 0.0f, 0.0f));

    const std::vector<Joint>& joints() const { return joints_; }
    int JointCount() const { return static_cast<int>(joints_.size()); }
    // -1 when there is no joint of that name.
    int Find(std::string_view name) const;
    std::vector<int> Children(int joint) const;

    glm::mat4 LocalTransform(int joint) const;
    // The joint's transform in model space at rest.
    glm::mat4 RestTransform(int joint) const;
    glm::vec3 RestPosition(int joint) const;

private:
    std::vector<Joint> joints_;
};

// Up to four joints per vertex, weighted by nearness to each joint's bones
// (the segments to its children; a last joint continues its parent's bone
// by half, a lone root is a point).
// `sharpness` is the power of the inverse distance: higher keeps joints
// apart, lower blends them over longer stretches. Weights sum to 1.
void WeightByDistance(model::Mesh& mesh, const Skeleton& skeleton, float sharpness = 4.0f);

// Every vertex wholly on the joint that `jointAt` names for its position
// (rigid parts: turrets, jaws, arm plates).
void WeightByRegion(model::Mesh& mesh, const Skeleton& skeleton, const std::function<int(glm::vec3)>& jointAt);

}  // namespace kr::toolkit
