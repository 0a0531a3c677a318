#include "data/high_scores.hpp"

#include <gtest/gtest.h>

#include <set>

#include "byte_image.hpp"
#include "engine/error.hpp"
#include "support/temp_game_folder.hpp"

namespace kr {
namespace {

using test::PutI32;
using test::PutText;

constexpr const char* kTablePath = "Graphics/i_spec6.dds";

// Entry k holds "name k" with 1600 - 100 k; padding and name tails keep the
// pattern.
Bytes SampleTableImage() {
    Bytes image = test::PatternImage(HighScores::kByteSize);
    for (int k = 1; k <= 15; ++k) {
        std::size_t s = static_cast<std::size_t>(k - 1);
        PutText(image, 31 * s, "name " + std::to_string(k));
        PutI32(image, 468 + 4 * s, 1600 - 100 * k);
    }
    return image;
}

TEST(HighScores, ReadsEveryEntryAtItsOffset) {
    HighScores scores = HighScoresFromBytes(SampleTableImage());
    for (int k = 1; k <= 15; ++k) {
        EXPECT_EQ(scores.HighScoreName[k].View(), "name " + std::to_string(k));
        EXPECT_EQ(scores.HighScoreValue[k], 1600 - 100 * k);
    }
}

TEST(HighScores, RoundTripIsByteExact) {
    Bytes image = SampleTableImage();
    EXPECT_EQ(HighScoresToBytes(HighScoresFromBytes(image)), image);
}

TEST(HighScores, UntrustedNameLengthIsClampedAndShortImageRejected) {
    Bytes image = SampleTableImage();
    image[31 * 14] = 31;
    EXPECT_EQ(HighScoresFromBytes(image).HighScoreName[15].Length(), 30u);
    EXPECT_THROW(HighScoresFromBytes(Bytes(527, 0)), Error);
    EXPECT_THROW(HighScoresFromBytes(image).HighScoreValue[16], Error);
}

class EnterHighScoreTest : public ::testing::Test {
protected:
    void SetUp() override { game.MakeFolder("Graphics"); }

    bool Enter(std::string_view name, std::int32_t score, bool testOnly = false) {
        return EnterHighScore(game.folder(), random, scores, testOnly, name, score);
    }
    std::string Name(int k) const { return scores.HighScoreName[k].Str(); }

    test::TempGameFolder game;
    Random random{5};
    HighScores scores = HighScoresFromBytes(SampleTableImage());  // 1500 down to 100
};

TEST_F(EnterHighScoreTest, EqualScoreGoesBelowTheEarlierOne) {
    EXPECT_TRUE(Enter("tie", 1300));
    EXPECT_EQ(Name(3), "name 3");
    EXPECT_EQ(Name(4), "tie");
    EXPECT_EQ(scores.HighScoreValue[4], 1300);
    EXPECT_EQ(Name(5), "name 4");
    EXPECT_EQ(scores.HighScoreValue[5], 1200);
    EXPECT_EQ(Name(15), "name 14");
}

TEST_F(EnterHighScoreTest, ScoreEqualToTheLastDoesNotQualify) {
    EXPECT_FALSE(Enter("low", 100));
    EXPECT_FALSE(Enter("lower", -5));
    EXPECT_EQ(HighScoresToBytes(scores), SampleTableImage());
    EXPECT_FALSE(game.Exists(kTablePath));
}

TEST_F(EnterHighScoreTest, ScoreAboveOnlyTheLastReplacesIt) {
    EXPECT_TRUE(Enter("tail", 150));
    EXPECT_EQ(Name(14), "name 14");
    EXPECT_EQ(Name(15), "tail");
    EXPECT_EQ(scores.HighScoreValue[15], 150);
}

TEST_F(EnterHighScoreTest, BestScoreMovesEveryEntryDown) {
    EXPECT_TRUE(Enter("ace", 5000));
    EXPECT_EQ(Name(1), "ace");
    for (int k = 2; k <= 15; ++k) {
        EXPECT_EQ(Name(k), "name " + std::to_string(k - 1));
        EXPECT_EQ(scores.HighScoreValue[k], 1600 - 100 * (k - 1));
    }
}

TEST_F(EnterHighScoreTest, LongNameIsCutToThirtyCharacters) {
    std::string name = std::string(29, 'a') + "bcdefg";
    EXPECT_TRUE(Enter(name, 2000));
    EXPECT_EQ(Name(1), name.substr(0, 30));
}

TEST_F(EnterHighScoreTest, TestCallAnswersButChangesNothing) {
    EXPECT_TRUE(Enter("maybe", 2000, true));
    EXPECT_FALSE(Enter("maybe", 100, true));
    EXPECT_EQ(HighScoresToBytes(scores), SampleTableImage());
    EXPECT_FALSE(game.Exists(kTablePath));
    EXPECT_FALSE(game.Exists("scores.dat"));
}

TEST_F(EnterHighScoreTest, EnteredScoreIsSaved) {
    EXPECT_TRUE(Enter("saved", 777));
    EXPECT_EQ(game.ReadBytes(kTablePath), HighScoresToBytes(scores));
    EXPECT_TRUE(game.Exists("scores.dat"));
}

TEST_F(EnterHighScoreTest, EmptyTableTakesAnyPositiveScoreAtTheTop) {
    scores = HighScoresFromBytes(Bytes(HighScores::kByteSize, 0));
    EXPECT_FALSE(Enter("zero", 0));
    EXPECT_TRUE(Enter("one", 1));
    EXPECT_EQ(Name(1), "one");
    EXPECT_TRUE(Enter("two", 1));
    EXPECT_EQ(Name(2), "two");
}

TEST_F(EnterHighScoreTest, FailedSaveKeepsTableAndFile) {
    game.Write(kTablePath, SampleTableImage());
    game.BlockSave(kTablePath);
    EXPECT_THROW(Enter("lost", 9999), FileError);
    EXPECT_EQ(HighScoresToBytes(scores), SampleTableImage());
    EXPECT_EQ(game.ReadBytes(kTablePath), SampleTableImage());
}

TEST(HighScoresFile, LoadReadsTheFirstRecord) {
    test::TempGameFolder game;
    Bytes longer = SampleTableImage();
    longer.push_back(42);
    game.Write(kTablePath, longer);
    HighScores scores;
    LoadHighScores(game.folder(), scores);
    EXPECT_EQ(HighScoresToBytes(scores), SampleTableImage());
}

TEST(HighScoresFile, MissingOrShortTableIsAnErrorNamingIt) {
    test::TempGameFolder game;
    HighScores scores;
    try {
        LoadHighScores(game.folder(), scores);
        FAIL() << "no error for a missing table";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "Graphics\\i_spec6.dds");
    }
    game.Write(kTablePath, Bytes(100, 0));
    try {
        LoadHighScores(game.folder(), scores);
        FAIL() << "no error for a short table";
    } catch (const FileError& e) {
        EXPECT_EQ(e.file(), "Graphics\\i_spec6.dds");
    }
}

// Splits a marker line into its pieces; constants must match, numbers must
// have the digits their bound allows.
std::vector<std::string> SplitScoresMarker(const std::string& line) {
    std::vector<std::string> numbers;
    std::size_t at = 0;
    for (const auto& piece : kScoresMarkerPieces) {
        if (piece.randomBound == 0) {
            EXPECT_EQ(line.substr(at, piece.constant.size()), piece.constant) << line;
            at += piece.constant.size();
            continue;
        }
        std::size_t end = at;
        while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
        std::string number = line.substr(at, end - at);
        EXPECT_GE(number.size(), 1u) << line;
        EXPECT_LE(number.size(), piece.randomBound == 100 ? 2u : 1u) << line;
        numbers.push_back(number);
        at = end;
    }
    EXPECT_EQ(line.substr(at), "\r\n");
    return numbers;
}

TEST(HighScoresFile, SaveWritesTheTableAndASeventeenPieceMarker) {
    test::TempGameFolder game;
    game.MakeFolder("Graphics");
    Random random(17);
    HighScores scores = HighScoresFromBytes(SampleTableImage());
    std::set<std::vector<std::string>> seen;
    for (int i = 0; i < 5; ++i) {
        SaveHighScores(game.folder(), random, scores);
        EXPECT_EQ(game.ReadBytes(kTablePath), SampleTableImage());
        std::string line = game.Read("scores.dat");
        EXPECT_TRUE(line.starts_with("@ZR.KRAVELLON.SCORES->"));
        auto numbers = SplitScoresMarker(line);
        EXPECT_EQ(numbers.size(), 8u);
        std::size_t digits = 0;
        for (const auto& n : numbers) digits += n.size();
        EXPECT_EQ(line.size(), 115u + digits + 2u);
        seen.insert(numbers);
    }
    EXPECT_GT(seen.size(), 1u);
}

}  // namespace
}  // namespace kr
