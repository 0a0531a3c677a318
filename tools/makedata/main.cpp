// makedata: writes the whole game folder, deterministically.
//   makedata --out DIR [--content DIR] [--fonts DIR]

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "arsenal/arsenal.hpp"
#include "audio/audio_files.hpp"
#include "enemies/enemy_files.hpp"
#include "font_files.hpp"
#include "help_credits/help_credits.hpp"
#include "language_files.hpp"
#include "menu_pictures/briefing_pictures.hpp"
#include "menu_pictures/menu_pictures.hpp"
#include "menu_scene/menu_scene.hpp"
#include "particle_sprites.hpp"
#include "persistent_files.hpp"
#include "ships/ship_files.hpp"
#include "video/video_files.hpp"
#include "worlds/worlds.hpp"

namespace {

struct Arguments {
    std::filesystem::path out;
    kr::makedata::Sources sources{KR_DEFAULT_CONTENT_DIR, "/usr/share/fonts/truetype"};
};

Arguments Parse(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (i + 1 >= argc) throw std::runtime_error("option " + arg + " needs a value");
        std::string value = argv[++i];
        if (arg == "--out") args.out = value;
        else if (arg == "--content") args.sources.content = value;
        else if (arg == "--fonts") args.sources.fonts = value;
        else throw std::runtime_error("unknown option " + arg);
    }
    if (args.out.empty()) throw std::runtime_error("usage: makedata --out DIR [--content DIR] [--fonts DIR]");
    return args;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        auto start = std::chrono::steady_clock::now();
        Arguments args = Parse(argc, argv);
        kr::makedata::OutputFolder out(args.out);
        kr::makedata::WritePersistentFiles(out);
        kr::makedata::WriteLanguageFiles(out, args.sources);
        kr::makedata::WriteFontFiles(out, args.sources);
        kr::makedata::WriteMenuPictures(out);
        kr::makedata::WriteHelpAndCredits(out, args.sources);
        kr::makedata::WriteParticleSprites(out);
        kr::makedata::WriteMenuSceneModels(out);
        kr::makedata::WriteShipModels(out);
        kr::makedata::WriteMissionWorlds(out);
        kr::makedata::WriteBriefingPictures(out);
        kr::makedata::WriteArsenal(out);
        kr::makedata::WriteEnemies(out);
        kr::makedata::WriteAudioFiles(out);
        kr::makedata::WriteVideoFiles(out, args.sources);
        auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::printf("makedata: %d files written, %d unchanged, in %lld ms\n", out.FilesWritten(),
                    out.FilesUnchanged(), static_cast<long long>(ms.count()));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "makedata: %s\n", error.what());
        return 1;
    }
}
