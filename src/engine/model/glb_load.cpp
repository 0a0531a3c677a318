#include <stdexcept>

#include "engine/model/glb.hpp"
#include "engine/model/glb_container.hpp"
#include "engine/model/load_parts.hpp"

namespace kr::model {
namespace {

// Keeps pictures encoded. Pictures in buffer views are taken later, after
// their range is checked; tinygltf hands us unchecked bytes for them.
bool KeepEncodedImage(tinygltf::Image* image, const int, std::string*, std::string*, int, int,
                      const unsigned char* bytes, int size, void*) {
    if (image->bufferView == -1 && bytes != nullptr && size > 0) image->image.assign(bytes, bytes + size);
    return true;
}

// Nothing outside the file is read: every file lookup fails.
bool NoFileExists(const std::string&, void*) { return false; }
std::string KeepPath(const std::string& path, void*) { return path; }
bool NoFileRead(std::vector<unsigned char>*, std::string* err, const std::string&, void*) {
    if (err != nullptr) *err = "files outside the model are not read";
    return false;
}
bool NoFileWrite(std::string*, const std::string&, const std::vector<unsigned char>&, void*) { return false; }

tinygltf::Model ParseGltf(const Bytes& data, std::size_t length, const std::string& fileName) {
    tinygltf::TinyGLTF parser;
    parser.SetImageLoader(&KeepEncodedImage, nullptr);
    parser.SetFsCallbacks({&NoFileExists, &KeepPath, &NoFileRead, &NoFileWrite, nullptr});
    tinygltf::Model gltf;
    std::string error;
    std::string warning;
    bool parsed = false;
    try {
        parsed = parser.LoadBinaryFromMemory(&gltf, &error, &warning, data.data(), static_cast<unsigned>(length));
    } catch (const std::exception& e) {
        // The parser's own bounds checks throw standard exceptions.
        error = e.what();
    }
    if (!parsed) {
        while (!error.empty() && (error.back() == '\n' || error.back() == ' ')) error.pop_back();
        throw FileError(fileName, "malformed glTF: " + (error.empty() ? std::string("unreadable") : error));
    }
    return gltf;
}

// Extensions a file says it cannot be read without; quantized attributes
// are read like any other accessor.
void CheckRequiredExtensions(const GltfSource& source) {
    for (const std::string& name : source.gltf.extensionsRequired) {
        if (name != "KHR_mesh_quantization") source.Fail("needs the unsupported glTF extension " + name);
    }
}

Model ConvertModel(const GltfSource& source) {
    CheckRequiredExtensions(source);
    Model model;
    LoadImages(source, model);
    LoadMaterials(source, model);
    LoadMeshes(source, model);
    LoadNodes(source, model);
    LoadSkins(source, model);
    LoadAnimations(source, model);
    CheckSkinnedMeshes(source, model);
    return model;
}

}  // namespace

Model LoadGlb(const Bytes& data, const std::string& fileName) {
    const std::size_t length = CheckGlbContainer(data, fileName);
    const tinygltf::Model gltf = ParseGltf(data, length, fileName);
    return ConvertModel(GltfSource{gltf, fileName});
}

}  // namespace kr::model
