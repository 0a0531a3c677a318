#pragma once
// The steps that turn a parsed glTF document into a Model, in the order
// LoadGlb runs them. Each checks every reference it follows. Internal to the
// loader.

#include "engine/model/gltf_source.hpp"
#include "engine/model/model.hpp"

namespace kr::model {

void LoadImages(const GltfSource& source, Model& model);
void LoadMaterials(const GltfSource& source, Model& model);
void LoadMeshes(const GltfSource& source, Model& model);
// Nodes with their parent links, checked to form a forest, and the roots of
// the scene shown.
void LoadNodes(const GltfSource& source, Model& model);
void LoadSkins(const GltfSource& source, Model& model);
void LoadAnimations(const GltfSource& source, Model& model);
// Every joint index of a skinned mesh names a joint of the node's skin.
void CheckSkinnedMeshes(const GltfSource& source, const Model& model);

}  // namespace kr::model
