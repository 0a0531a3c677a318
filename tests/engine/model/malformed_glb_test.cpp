// Damaged and hostile GLB files: each must end in a FileError naming the
// file; never a crash, a read outside a buffer or another kind of error.

#include <functional>
#include <random>

#include "hand_made_glb.hpp"

namespace kr::model::test {
namespace {

const char* const kCorpus[] = {"Box.glb",          "BoxTextured.glb", "BoxInterleaved.glb",      "BoxAnimated.glb",
                               "RiggedSimple.glb", "CesiumMan.glb",   "TextureSettingsTest.glb", "box_sparse.glb"};

void ExpectLoadFails(const Bytes& data, const std::string& context) {
    ExpectFileError([&] { LoadGlb(data, "bad.tvm"); }, "bad.tvm", context);
}

// Loading either works or fails with FileError naming the file.
void ExpectLoadsOrFileError(const Bytes& data, const std::string& context) {
    try {
        LoadGlb(data, "odd.tva");
    } catch (const FileError& error) {
        EXPECT_EQ(error.file(), "odd.tva") << context;
    }
}

void PutU32At(Bytes& data, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        data[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

std::uint32_t U32At(const Bytes& data, std::size_t offset) {
    return static_cast<std::uint32_t>(data[offset] | data[offset + 1] << 8 | data[offset + 2] << 16 |
                                      data[offset + 3] << 24);
}

TEST(MalformedGlb, EveryCutOfEveryCorpusFile) {
    for (const char* name : kCorpus) {
        const Bytes data = ReadCorpus(name);
        const std::size_t step = data.size() < 15000 ? 1 : data.size() / 997;
        const std::size_t jsonEnd = 20 + U32At(data, 12);
        for (std::size_t cut = 0; cut < data.size(); cut += step) {
            ExpectLoadFails(Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(cut)),
                            std::string(name) + " cut to " + std::to_string(cut));
        }
        for (std::size_t cut : {std::size_t{12}, std::size_t{19}, std::size_t{20}, jsonEnd - 1, jsonEnd, jsonEnd + 7,
                                jsonEnd + 8, data.size() - 1}) {
            ExpectLoadFails(Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(cut)),
                            std::string(name) + " cut to " + std::to_string(cut));
        }
        if (::testing::Test::HasFailure()) return;
    }
}

// The binary chunk cut short with every length field made to agree, so that
// only the references into the buffer can notice.
Bytes WithBinCutTo(const Bytes& file, std::size_t keep) {
    RawGlb raw(file);
    raw.doc["buffers"][0]["byteLength"] = keep;
    return MakeGlb(raw.doc.dump(), Bytes(raw.bin.begin(), raw.bin.begin() + static_cast<std::ptrdiff_t>(keep)));
}

// Where the data the loader reads ends in each file's buffer: BoxTextured
// pads its buffer by 4 bytes, box_sparse ends with a morph target (not kept).
std::size_t UsedBufferEnd(const std::string& name, std::size_t binSize) {
    if (name == "BoxTextured.glb") return 24356;
    if (name == "box_sparse.glb") return 256;
    return binSize;
}

TEST(MalformedGlb, ShortBufferWithConsistentLengths) {
    for (const char* name : kCorpus) {
        const Bytes data = ReadCorpus(name);
        const std::size_t binSize = RawGlb(data).bin.size();
        const std::size_t used = UsedBufferEnd(name, binSize);
        for (std::size_t keep = 0; keep < used; keep += std::max<std::size_t>(4, used / 60 / 4 * 4)) {
            ExpectLoadFails(WithBinCutTo(data, keep), std::string(name) + " buffer cut to " + std::to_string(keep));
        }
        ExpectLoadFails(WithBinCutTo(data, (used - 1) / 4 * 4), std::string(name) + " buffer short of its last data");
        ExpectSameModel(LoadGlb(WithBinCutTo(data, (used + 3) / 4 * 4), name), LoadCorpus(name));
    }
}

TEST(MalformedGlb, CorruptHeaderAndChunkFields) {
    const Bytes box = ReadCorpus("Box.glb");
    const std::size_t binHeader = 20 + U32At(box, 12);
    const std::vector<std::pair<std::size_t, std::uint32_t>> edits = {
        {0, 0x46546C68},  // magic
        {4, 1},
        {4, 3},  // version
        {8, 0},
        {8, 11},
        {8, static_cast<std::uint32_t>(box.size() - 1)},
        {8, static_cast<std::uint32_t>(box.size() + 1)},
        {8, 0xffffffff},  // total length
        {12, 0},
        {12, 3},
        {12, 0xfffffff0},
        {12, static_cast<std::uint32_t>(box.size())},
        {16, 0x004E4942},  // JSON chunk marked BIN
        {binHeader, 0xfffffffc},
        {binHeader, 2},
        {binHeader, 4},               // BIN length
        {binHeader + 4, 0x4E4F534A},  // BIN chunk marked JSON
    };
    for (const auto& [offset, value] : edits) {
        Bytes data = box;
        PutU32At(data, offset, value);
        ExpectLoadFails(data, "field at " + std::to_string(offset) + " set to " + std::to_string(value));
    }
    ExpectLoadFails({}, "empty");
    ExpectLoadFails(Bytes(box.begin(), box.begin() + 12), "header only");
    ExpectLoadFails(MakeGlb("{not json", {1, 2, 3, 4}), "broken JSON");
    ExpectLoadFails(MakeGlb("[1, 2, 3]", {}), "JSON array");
    ExpectLoadFails(MakeGlb(R"({"nodes": []})", {}), "no asset");
}

TEST(MalformedGlb, HandMadeDocumentLoads) {
    const Model model = LoadGlb(HandMadeGlb().Glb(), "hand.tva");
    ASSERT_EQ(model.meshes.size(), 1u);
    EXPECT_EQ(model.meshes[0].primitives[0].indices, (std::vector<std::uint32_t>{0, 1, 2}));
    EXPECT_EQ(model.meshes[0].primitives[0].vertices[2].weights, glm::vec4(1, 0, 0, 0));
    EXPECT_EQ(model.skins[0].inverseBind[0], glm::mat4(1.0f));
    EXPECT_EQ(model.animations[0].duration, 1.0f);
}

using Edit = std::function<void(HandMadeGlb&)>;

void ExpectEditFails(const Edit& edit, const std::string& what) {
    HandMadeGlb glb;
    edit(glb);
    ExpectLoadFails(glb.Glb(), what);
}

TEST(MalformedGlb, BadReferencesAndRanges) {
    const std::vector<std::pair<const char*, Edit>> edits = {
        {"POSITION accessor out of range",
         [](HandMadeGlb& g) { g.doc["meshes"][0]["primitives"][0]["attributes"]["POSITION"] = 8; }},
        {"negative NORMAL accessor",
         [](HandMadeGlb& g) { g.doc["meshes"][0]["primitives"][0]["attributes"]["NORMAL"] = -2; }},
        {"indices accessor out of range", [](HandMadeGlb& g) { g.doc["meshes"][0]["primitives"][0]["indices"] = 9; }},
        {"no POSITION", [](HandMadeGlb& g) { g.doc["meshes"][0]["primitives"][0]["attributes"].erase("POSITION"); }},
        {"buffer view out of range", [](HandMadeGlb& g) { g.doc["accessors"][0]["bufferView"] = 12; }},
        {"buffer view past its buffer", [](HandMadeGlb& g) { g.doc["bufferViews"][1]["byteLength"] = 500; }},
        {"buffer view offset past its buffer",
         [](HandMadeGlb& g) { g.doc["bufferViews"][1]["byteOffset"] = 4000000000u; }},
        {"buffer out of range", [](HandMadeGlb& g) { g.doc["bufferViews"][0]["buffer"] = 1; }},
        {"buffer longer than the chunk", [](HandMadeGlb& g) { g.doc["buffers"][0]["byteLength"] = 240; }},
        {"external buffer", [](HandMadeGlb& g) { g.doc["buffers"][0]["uri"] = "mesh.bin"; }},
        {"required extension", [](HandMadeGlb& g) { g.doc["extensionsRequired"] = {"KHR_draco_mesh_compression"}; }},
        {"accessor offset past its view", [](HandMadeGlb& g) { g.doc["accessors"][0]["byteOffset"] = 28; }},
        {"accessor count past its view", [](HandMadeGlb& g) { g.doc["accessors"][1]["count"] = 4; }},
        {"huge accessor count", [](HandMadeGlb& g) { g.doc["accessors"][0]["count"] = 1ull << 62; }},
        {"accessor without elements", [](HandMadeGlb& g) { g.doc["accessors"][0]["count"] = 0; }},
        {"stride below the element size", [](HandMadeGlb& g) { g.doc["bufferViews"][0]["byteStride"] = 8; }},
        {"signed int components", [](HandMadeGlb& g) { g.doc["accessors"][2]["componentType"] = 5124; }},
        {"double components", [](HandMadeGlb& g) { g.doc["accessors"][0]["componentType"] = 5130; }},
        {"POSITION as VEC2", [](HandMadeGlb& g) { g.doc["accessors"][0]["type"] = "VEC2"; }},
        {"float indices", [](HandMadeGlb& g) { g.doc["accessors"][2]["componentType"] = 5126; }},
        {"NORMAL count differs", [](HandMadeGlb& g) { g.doc["accessors"][1]["count"] = 2; }},
        {"index past the vertices", [](HandMadeGlb& g) { g.bin[76] = 3; }},
        {"partial triangle", [](HandMadeGlb& g) { g.doc["accessors"][2]["count"] = 2; }},
        {"unknown mode", [](HandMadeGlb& g) { g.doc["meshes"][0]["primitives"][0]["mode"] = 9; }},
        {"material out of range", [](HandMadeGlb& g) { g.doc["meshes"][0]["primitives"][0]["material"] = 0; }},
        {"negative material", [](HandMadeGlb& g) { g.doc["meshes"][0]["primitives"][0]["material"] = -3; }},
        {"float joints", [](HandMadeGlb& g) { g.doc["accessors"][6]["componentType"] = 5126; }},
        {"joint past the skin", [](HandMadeGlb& g) { g.bin[180] = 1; }},
    };
    for (const auto& [what, edit] : edits) ExpectEditFails(edit, what);
}

TEST(MalformedGlb, BadNodeTrees) {
    const std::vector<std::pair<const char*, Edit>> edits = {
        {"mesh out of range", [](HandMadeGlb& g) { g.doc["nodes"][1]["mesh"] = 1; }},
        {"skin out of range", [](HandMadeGlb& g) { g.doc["nodes"][1]["skin"] = 2; }},
        {"child out of range", [](HandMadeGlb& g) { g.doc["nodes"][0]["children"] = {2}; }},
        {"own child", [](HandMadeGlb& g) { g.doc["nodes"][1]["children"] = {1}; }},
        {"child listed twice",
         [](HandMadeGlb& g) {
             g.doc["nodes"][0]["children"] = {1, 1};
         }},
        {"two parents",
         [](HandMadeGlb& g) {
             g.doc["nodes"].push_back({{"children", {1}}});
             g.doc["nodes"][0]["children"] = {1};
         }},
        {"cycle",
         [](HandMadeGlb& g) {
             g.doc["nodes"][0]["children"] = {1};
             g.doc["nodes"][1]["children"] = {0};
             g.doc["scenes"][0]["nodes"] = nlohmann::json::array();
         }},
        {"long cycle",
         [](HandMadeGlb& g) {
             for (int i = 0; i < 50; ++i) g.doc["nodes"].push_back({{"children", {i + 3 < 52 ? i + 3 : 2}}});
         }},
        {"scene out of range", [](HandMadeGlb& g) { g.doc["scene"] = 1; }},
        {"negative scene", [](HandMadeGlb& g) { g.doc["scene"] = -4; }},
        {"scene root out of range",
         [](HandMadeGlb& g) {
             g.doc["scenes"][0]["nodes"] = {0, 5};
         }},
        {"scene root with a parent", [](HandMadeGlb& g) { g.doc["nodes"][0]["children"] = {1}; }},
        {"scene root listed twice",
         [](HandMadeGlb& g) {
             g.doc["scenes"][0]["nodes"] = {0, 0};
         }},
        {"matrix of 15 numbers", [](HandMadeGlb& g) { g.doc["nodes"][1]["matrix"] = std::vector<float>(15, 1.0f); }},
        {"two-number translation",
         [](HandMadeGlb& g) {
             g.doc["nodes"][1]["translation"] = {1, 2};
         }},
        {"zero rotation",
         [](HandMadeGlb& g) {
             g.doc["nodes"][1]["rotation"] = {0, 0, 0, 0};
         }},
        {"huge scale",
         [](HandMadeGlb& g) {
             g.doc["nodes"][1]["scale"] = {1e300, 1, 1};
         }},
    };
    for (const auto& [what, edit] : edits) ExpectEditFails(edit, what);
}

TEST(MalformedGlb, BadSkinsAnimationsAndMaterials) {
    const std::vector<std::pair<const char*, Edit>> edits = {
        {"joint node out of range",
         [](HandMadeGlb& g) {
             g.doc["skins"][0]["joints"] = {1, 7};
         }},
        {"skin without joints", [](HandMadeGlb& g) { g.doc["skins"][0]["joints"] = nlohmann::json::array(); }},
        {"skeleton out of range", [](HandMadeGlb& g) { g.doc["skins"][0]["skeleton"] = 3; }},
        {"too few inverse bind matrices",
         [](HandMadeGlb& g) {
             g.doc["skins"][0]["joints"] = {1, 0};
         }},
        {"inverse bind matrices as VEC4", [](HandMadeGlb& g) { g.doc["skins"][0]["inverseBindMatrices"] = 7; }},
        {"channel node out of range",
         [](HandMadeGlb& g) { g.doc["animations"][0]["channels"][0]["target"]["node"] = 2; }},
        {"channel sampler out of range", [](HandMadeGlb& g) { g.doc["animations"][0]["channels"][0]["sampler"] = 1; }},
        {"input accessor out of range", [](HandMadeGlb& g) { g.doc["animations"][0]["samplers"][0]["input"] = 30; }},
        {"input as VEC3", [](HandMadeGlb& g) { g.doc["animations"][0]["samplers"][0]["input"] = 4; }},
        {"output count differs", [](HandMadeGlb& g) { g.doc["accessors"][4]["count"] = 1; }},
        {"rotation from a VEC3",
         [](HandMadeGlb& g) { g.doc["animations"][0]["channels"][0]["target"]["path"] = "rotation"; }},
        {"cubic spline without tangents",
         [](HandMadeGlb& g) { g.doc["animations"][0]["samplers"][0]["interpolation"] = "CUBICSPLINE"; }},
        {"unknown interpolation",
         [](HandMadeGlb& g) { g.doc["animations"][0]["samplers"][0]["interpolation"] = "BOUNCY"; }},
        {"times out of order", [](HandMadeGlb& g) { g.PutFloatAt(84, -1.0f); }},
        {"time not a number", [](HandMadeGlb& g) { g.PutFloatAt(80, NAN); }},
        {"sampler shared by different kinds",
         [](HandMadeGlb& g) {
             g.doc["animations"][0]["channels"].push_back(
                 {{"sampler", 0}, {"target", {{"node", 1}, {"path", "weights"}}}});
         }},
        {"texture out of range",
         [](HandMadeGlb& g) {
             g.doc["materials"] = {{{"pbrMetallicRoughness", {{"baseColorTexture", {{"index", 0}}}}}}};
         }},
        {"texture source out of range",
         [](HandMadeGlb& g) {
             g.doc["materials"] = {{{"pbrMetallicRoughness", {{"baseColorTexture", {{"index", 0}}}}}}};
             g.doc["textures"] = {{{"source", 2}}};
         }},
        {"sampler out of range",
         [](HandMadeGlb& g) {
             g.doc["materials"] = {{{"pbrMetallicRoughness", {{"baseColorTexture", {{"index", 0}}}}}}};
             g.doc["textures"] = {{{"sampler", 0}}};
         }},
        {"unknown wrap mode",
         [](HandMadeGlb& g) {
             g.doc["materials"] = {{{"pbrMetallicRoughness", {{"baseColorTexture", {{"index", 0}}}}}}};
             g.doc["textures"] = {{{"sampler", 0}}};
             g.doc["samplers"] = {{{"wrapS", 1234}}};
         }},
        {"unknown alpha mode",
         [](HandMadeGlb& g) {
             g.doc["materials"] = {{{"alphaMode", "SHINY"}}};
         }},
        {"image view out of range",
         [](HandMadeGlb& g) {
             g.doc["images"] = {{{"bufferView", 9}, {"mimeType", "image/png"}}};
         }},
        {"image view past the buffer",
         [](HandMadeGlb& g) {
             g.doc["bufferViews"].push_back({{"buffer", 0}, {"byteOffset", 200}, {"byteLength", 100000}});
             g.doc["images"] = {{{"bufferView", 8}, {"mimeType", "image/png"}}};
         }},
    };
    for (const auto& [what, edit] : edits) ExpectEditFails(edit, what);
}

TEST(MalformedGlb, BadSparseAccessors) {
    auto sparseTimes = [](HandMadeGlb& g, nlohmann::json sparse) {
        Bytes indices = {1, 0, 0, 0};
        Bytes values;
        PutFloat(values, 0.5f);
        const int indexView = g.AddView(indices);
        const int valueView = g.AddView(values);
        sparse["indices"]["bufferView"] = sparse["indices"].value("bufferView", indexView);
        sparse["values"]["bufferView"] = sparse["values"].value("bufferView", valueView);
        g.doc["accessors"][3]["sparse"] = sparse;
    };
    const std::vector<std::pair<const char*, Edit>> edits = {
        {"no sparse values",
         [&](HandMadeGlb& g) {
             sparseTimes(g,
                         {{"count", 0}, {"indices", {{"componentType", 5125}}}, {"values", nlohmann::json::object()}});
         }},
        {"more sparse values than elements",
         [&](HandMadeGlb& g) {
             sparseTimes(g,
                         {{"count", 3}, {"indices", {{"componentType", 5125}}}, {"values", nlohmann::json::object()}});
         }},
        {"sparse index past the elements",
         [&](HandMadeGlb& g) {
             sparseTimes(g,
                         {{"count", 1}, {"indices", {{"componentType", 5125}}}, {"values", nlohmann::json::object()}});
             g.bin[236] = 2;
         }},
        {"float sparse indices",
         [&](HandMadeGlb& g) {
             sparseTimes(g,
                         {{"count", 1}, {"indices", {{"componentType", 5126}}}, {"values", nlohmann::json::object()}});
         }},
        {"sparse values past their view",
         [&](HandMadeGlb& g) {
             sparseTimes(g, {{"count", 1}, {"indices", {{"componentType", 5125}}}, {"values", {{"byteOffset", 4}}}});
         }},
        {"negative sparse offset",
         [&](HandMadeGlb& g) {
             sparseTimes(g, {{"count", 1},
                             {"indices", {{"componentType", 5125}, {"byteOffset", -4}}},
                             {"values", nlohmann::json::object()}});
         }},
        {"sparse view out of range",
         [&](HandMadeGlb& g) {
             sparseTimes(g, {{"count", 1},
                             {"indices", {{"componentType", 5125}, {"bufferView", 40}}},
                             {"values", nlohmann::json::object()}});
         }},
        {"huge accessor without a view",
         [&](HandMadeGlb& g) {
             sparseTimes(g,
                         {{"count", 1}, {"indices", {{"componentType", 5125}}}, {"values", nlohmann::json::object()}});
             g.doc["accessors"][3].erase("bufferView");
             g.doc["accessors"][3]["count"] = 1u << 30;
         }},
    };
    for (const auto& [what, edit] : edits) ExpectEditFails(edit, what);
}

// Random damage to the JSON text and the binary data: whatever the result,
// it is a model or a FileError.
TEST(MalformedGlb, RandomDamageNeverEscapes) {
    std::mt19937 random(20240611);
    for (const char* name :
         {"Box.glb", "RiggedSimple.glb", "BoxAnimated.glb", "box_sparse.glb", "TextureSettingsTest.glb"}) {
        const Bytes original = ReadCorpus(name);
        const std::size_t jsonEnd = 20 + U32At(original, 12);
        for (int round = 0; round < 400; ++round) {
            Bytes data = original;
            const bool inJson = round % 2 == 0;
            std::uniform_int_distribution<std::size_t> where(inJson ? 20 : jsonEnd + 8,
                                                             (inJson ? jsonEnd : data.size()) - 1);
            for (int flips = 1 + round % 3; flips > 0; --flips) {
                const std::size_t at = where(random);
                data[at] = inJson && round % 4 == 0 ? static_cast<std::uint8_t>("0123456789-e.,:[]{}\""[random() % 21])
                                                    : static_cast<std::uint8_t>(random());
            }
            ExpectLoadsOrFileError(data, std::string(name) + " round " + std::to_string(round));
        }
    }
}

}  // namespace
}  // namespace kr::model::test
