// The help pages and the credits pictures: every page of both languages
// is read by the game's page loader, its banner and the credits strips
// load through the texture loader with the keys the game passes, and a
// broken help source stops the generator with the file and line named.

#include <gtest/gtest.h>

#include "support/generated_game.hpp"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "data/language.hpp"
#include "engine/headless/headless_backend.hpp"
#include "engine/image/image.hpp"
#include "engine/text/cp1250.hpp"
#include "engine/textures.hpp"
#include "support/process.hpp"
#include "support/temp_game_folder.hpp"

namespace kr::test {
namespace {

constexpr int kPages = 22;
const char* const kLanguages[] = {"english", "polish"};

class HelpAndCredits : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = std::make_unique<TempGameFolder>();
        std::string output;
        bool made = false;
        game_ = std::make_unique<GameFolder>(GeneratedFolderOr(*folder_, output, made));
        ASSERT_TRUE(made) << output;
    }
    static void TearDownTestSuite() {
        game_.reset();
        folder_.reset();
    }
    static const GameFolder& Folder() { return *game_; }

    static std::unique_ptr<TempGameFolder> folder_;
    static std::unique_ptr<GameFolder> game_;
};

std::unique_ptr<TempGameFolder> HelpAndCredits::folder_;
std::unique_ptr<GameFolder> HelpAndCredits::game_;

bool IsPlainBmp24(const Bytes& bytes) {
    return bytes.size() > 54 && bytes[0] == 'B' && bytes[1] == 'M' && bytes[28] == 24 && bytes[29] == 0;
}

TEST_F(HelpAndCredits, EveryPageOfBothLanguagesLoadsWithItsBanner) {
    HeadlessBackend backend;
    TextureRegistry textures(backend, Folder());
    for (const char* language : kLanguages) {
        for (int page = 1; page <= kPages; ++page) {
            SCOPED_TRACE(std::string(language) + " page " + std::to_string(page));
            HelpPage help;
            std::string picture;
            ASSERT_NO_THROW(picture = LoadHelpPage(Folder(), language, page, help));
            EXPECT_EQ(help.HelpPageLoaded, 1);
            EXPECT_FALSE(help.Title.Empty());
            EXPECT_FALSE(help.Subtitle.Empty());
            for (int line = 1; line <= 7; ++line) EXPECT_FALSE(help.Body[line].Empty()) << "body line " << line;
            EXPECT_TRUE(IsPlainBmp24(Folder().ReadAll(picture)));
            textures.Delete("help_tex");
            int id = 0;
            ASSERT_NO_THROW(id = textures.Load(picture, "help_tex", -1, -1, colour_key::kNone));
            EXPECT_EQ(textures.Info(id).width, 512);
            EXPECT_EQ(textures.Info(id).height, 128);
        }
    }
}

TEST_F(HelpAndCredits, PagesAreWindows1250WithPolishLettersAndWindowsLineEnds) {
    HelpPage help;
    LoadHelpPage(Folder(), "polish", 2, help);
    EXPECT_EQ(text::Cp1250ToUtf8(help.Title.View()), "STEROWANIE");
    EXPECT_EQ(text::Cp1250ToUtf8(help.Subtitle.View()), "Mysz lub strzałki prowadzą statek");
    const Bytes raw = Folder().ReadAll("Lang\\polish_h2.dat");
    const std::string file(raw.begin(), raw.end());
    EXPECT_NE(file.find("\r\n"), std::string::npos);
    EXPECT_EQ(file.find("\xC4"), std::string::npos) << "UTF-8 lead bytes left in a game file";
    // The pages differ between the languages but cover the same subjects.
    HelpPage english;
    LoadHelpPage(Folder(), "english", 12, english);
    LoadHelpPage(Folder(), "polish", 12, help);
    EXPECT_EQ(english.Title.Str(), "DELTA");
    EXPECT_EQ(help.Title.Str(), "DELTA");
    EXPECT_NE(english.Body[1].Str(), help.Body[1].Str());
}

TEST_F(HelpAndCredits, CreditsStripsAreFourScreensWideWithBlackAsTransparent) {
    for (const char* language : kLanguages) {
        SCOPED_TRACE(language);
        const std::string name = std::string("graphics\\cr_") + language + ".bmp";
        const Bytes bytes = Folder().ReadAll(name);
        ASSERT_TRUE(IsPlainBmp24(bytes));
        image::MipChain chain = image::DecodeImage(bytes, name);
        image::ApplyColourKey(chain, colour_key::kBlack);
        const image::Image& strip = chain.levels.at(0);
        EXPECT_EQ(strip.width, 2048);
        EXPECT_EQ(strip.height, 256);
        std::size_t seeThrough = 0, lettered = 0;
        for (std::size_t i = 3; i < strip.rgba.size(); i += 4) (strip.rgba[i] == 0 ? seeThrough : lettered)++;
        const std::size_t texels = strip.rgba.size() / 4;
        EXPECT_GT(seeThrough, texels / 2) << "the backdrop must show through";
        EXPECT_GT(lettered, texels / 50) << "the credits must be there";
        // The edge rows stay clear, so the scrolled strip has no visible border.
        for (int x = 0; x < strip.width; ++x) ASSERT_EQ(strip.Pixel(x, 0)[3], 0) << "x " << x;
    }
    HeadlessBackend backend;
    TextureRegistry textures(backend, Folder());
    EXPECT_NO_THROW(textures.Load("graphics\\cr_polish.bmp", "cr", -1, -1, colour_key::kBlack));
}

TEST(HelpSources, ABrokenPageStopsTheGeneratorNamingFileAndLine) {
    TempGameFolder content;
    const std::filesystem::path source = std::filesystem::path(KR_SOURCE_DIR) / "content";
    std::filesystem::copy(source, content.Path(""), std::filesystem::copy_options::recursive);
    std::ofstream(content.Path("help/english.txt"), std::ios::trunc)
        << "header\n# page 1\nA TITLE FAR TOO LONG FOR THE PAGE\nsub\n1\n2\n3\n4\n5\n6\n7\n";
    TempGameFolder out;
    const auto made = RunCommand(std::string(KR_MAKEDATA) + " --out " + Quote(out.Path("").string()) +
                                 " --content " + Quote(content.Path("").string()));
    EXPECT_NE(made.exitCode, 0);
    EXPECT_NE(made.output.find("english.txt"), std::string::npos) << made.output;
    EXPECT_NE(made.output.find("line 3"), std::string::npos) << made.output;
    EXPECT_NE(made.output.find("title"), std::string::npos) << made.output;

    std::ofstream(content.Path("help/english.txt"), std::ios::trunc) << "# page 1\nTITLE\nsub\n1\n2\n";
    const auto short_ = RunCommand(std::string(KR_MAKEDATA) + " --out " + Quote(out.Path("").string()) +
                                   " --content " + Quote(content.Path("").string()));
    EXPECT_NE(short_.exitCode, 0);
    EXPECT_NE(short_.output.find("fewer than 9 lines"), std::string::npos) << short_.output;
}

}  // namespace
}  // namespace kr::test
