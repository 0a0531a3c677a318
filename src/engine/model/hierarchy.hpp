#pragma once
// Checks on the node tree shared by the loader and the writer.

#include <vector>

#include "engine/model/model.hpp"

namespace kr::model {

// A node whose chain of parents loops back on itself, or -1 when every chain
// ends at a root. Parent numbers must be -1 or valid node numbers.
int NodeInParentCycle(const std::vector<Node>& nodes);

}  // namespace kr::model
