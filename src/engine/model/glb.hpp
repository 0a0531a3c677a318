#pragma once
// Reading and writing models as glTF 2.0 binary (GLB) files: our ".tvm"
// meshes and ".tva" animated models, and GLB files made by other tools.

#include <string>

#include "engine/game_folder.hpp"
#include "engine/model/model.hpp"

namespace kr::model {

// Reads a GLB file. Everything the model uses comes from the file itself:
// external buffers are refused and external pictures are kept as empty
// EmbeddedImage entries (their URI as the name), never read. Pictures are
// kept encoded. Primitives are always triangle lists with indices; strips and
// fans are converted, points and lines skipped; a primitive without normals
// gets flat normals (its triangles no longer share vertices). Skin weights
// are scaled to sum to 1. Without a "scene" the first scene is shown, or
// every parentless node when there are no scenes. Morph targets are not kept
// ("weights" channels are, but nothing applies them). Files that require an
// extension other than KHR_mesh_quantization are refused. Anything
// malformed throws FileError naming `fileName`.
Model LoadGlb(const Bytes& data, const std::string& fileName);

// Writes `model` as a GLB file with one buffer; the same model always gives
// the same bytes. Pictures go into the buffer with their MIME type. Throws
// Error for a model that cannot be written (a broken node reference or tree,
// a mesh without primitives or a primitive without triangles, a picture
// without bytes or MIME type, an animation whose value count does not match
// its keys, a value that is not a finite number).
Bytes WriteGlb(const Model& model);

}  // namespace kr::model
