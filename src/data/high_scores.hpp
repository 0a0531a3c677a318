#pragma once
// The table of the fifteen best scores: one 528-byte record stored in
// "Graphics\i_spec6.dds" (a plain record despite the name). Every save also
// writes the one-line marker "scores.dat", which nothing reads back.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "data/one_based_array.hpp"
#include "data/pascal_string.hpp"
#include "engine/game_folder.hpp"
#include "engine/random.hpp"

namespace kr {

inline constexpr const char* kHighScoresFile = "Graphics\\i_spec6.dds";
inline constexpr const char* kScoresMarkerFile = "scores.dat";

inline constexpr int kHighScoreEntries = 15;

// Entry 1 is the best. Values never increase down the table; of equal values
// the one entered earlier stands higher.
struct HighScores {
    static constexpr std::size_t kByteSize = 528;

    OneBasedArray<PascalString<30>, kHighScoreEntries> HighScoreName;  // 0
    std::array<std::uint8_t, 3> PaddingAfterNames{};                   // 465
    OneBasedArray<std::int32_t, kHighScoreEntries> HighScoreValue;     // 468
};

Bytes HighScoresToBytes(const HighScores& scores);
// Reads the first HighScores::kByteSize bytes; throws kr::Error when shorter.
HighScores HighScoresFromBytes(std::span<const std::uint8_t> image);

// A missing or short file raises kr::FileError.
void LoadHighScores(const GameFolder& folder, HighScores& scores);
// Replaces the table file, then the marker file.
void SaveHighScores(const GameFolder& folder, Random& random, const HighScores& scores);

// Whether `score` earns a place: it must beat the first entry below all
// equal-or-better ones. Unless `testOnly`, the score is also entered there
// (name cut to 30 characters, lower entries moved down, the last one lost)
// and the table saved. A test call changes nothing.
bool EnterHighScore(const GameFolder& folder, Random& random, HighScores& scores, bool testOnly,
                    std::string_view name, std::int32_t score);

// The marker line: seventeen pieces, constants alternating with random
// numbers (0..99 or a digit), then CR LF. The constants hold no digits, so the
// numbers can be told apart from them.
struct ScoresMarkerPiece {
    std::string_view constant;  // empty for a random piece
    int randomBound;            // 100 or 10 for a random piece
};
inline constexpr std::array<ScoresMarkerPiece, 17> kScoresMarkerPieces{{
    {"@ZR.KRAVELLON.SCORES->HALL::", 0},
    {"", 100},
    {"-=#=", 0},
    {"", 100},
    {"<TOP.FIFTEEN.PILOTS.LEDGER>", 0},
    {"", 10},
    {".RANKS.SEALED.", 0},
    {"", 10},
    {"|CHECK.VALUE:", 0},
    {"", 10},
    {"::", 0},
    {"", 10},
    {"+SCORE.REGISTER", 0},
    {"", 100},
    {"<-END.LIST", 0},
    {"", 10},
    {"~~", 0},
}};
std::string ScoresMarkerLine(Random& random);

}  // namespace kr
