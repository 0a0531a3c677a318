#include "engine/model/hierarchy.hpp"

namespace kr::model {

// Each node is visited once: a chain stops at the first node already known
// to reach a root.
int NodeInParentCycle(const std::vector<Node>& nodes) {
    enum class State { Unknown, OnPath, ReachesRoot };
    std::vector<State> state(nodes.size(), State::Unknown);
    std::vector<int> path;
    for (std::size_t start = 0; start < nodes.size(); ++start) {
        path.clear();
        int at = static_cast<int>(start);
        while (at != -1 && state[static_cast<std::size_t>(at)] == State::Unknown) {
            state[static_cast<std::size_t>(at)] = State::OnPath;
            path.push_back(at);
            at = nodes[static_cast<std::size_t>(at)].parent;
        }
        if (at != -1 && state[static_cast<std::size_t>(at)] == State::OnPath) return at;
        for (int n : path) state[static_cast<std::size_t>(n)] = State::ReachesRoot;
    }
    return -1;
}

}  // namespace kr::model
