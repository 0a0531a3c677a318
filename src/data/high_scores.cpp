#include "data/high_scores.hpp"

#include "data/binary_io.hpp"

namespace kr {

namespace {

constexpr bool MarkerLayoutHolds() {
    constexpr std::array<std::size_t, 17> kConstantLengths{28, 0, 4, 0, 27, 0, 14, 0, 13,
                                                           0,  2, 0, 15, 0, 10, 0, 2};
    for (std::size_t i = 0; i < kScoresMarkerPieces.size(); ++i) {
        const auto& piece = kScoresMarkerPieces[i];
        bool isRandom = i % 2 == 1;
        if (piece.constant.size() != kConstantLengths[i]) return false;
        if (isRandom != (piece.randomBound > 0)) return false;
        for (char c : piece.constant) {
            if (c < 0x20 || c > 0x7e || (c >= '0' && c <= '9')) return false;
        }
    }
    return kScoresMarkerPieces[0].constant.starts_with("@ZR.KRAVELLON.SCORES->");
}
static_assert(MarkerLayoutHolds());

// The position a score would take: the first entry it beats, looking past
// every entry it does not beat; 15 when it beats none of 1 to 14.
int InsertionPosition(const HighScores& scores, std::int32_t score) {
    int k = 1;
    while (k < kHighScoreEntries && score <= scores.HighScoreValue[k]) ++k;
    return k;
}

void InsertAt(HighScores& scores, int k, std::string_view name, std::int32_t score) {
    for (int j = kHighScoreEntries - 1; j >= k; --j) {
        scores.HighScoreValue[j + 1] = scores.HighScoreValue[j];
        scores.HighScoreName[j + 1] = scores.HighScoreName[j];
    }
    scores.HighScoreValue[k] = score;
    scores.HighScoreName[k].Assign(name);
}

}  // namespace

namespace {

// The field order of the high-score table, for reading and writing alike.
template <class Io, class Record>
void Fields(Io& io, Record& scores) {
    io.Field(scores.HighScoreName);
    io.Field(scores.PaddingAfterNames);
    io.Field(scores.HighScoreValue);
}

}  // namespace

Bytes HighScoresToBytes(const HighScores& scores) {
    ByteWriter out(HighScores::kByteSize);
    Fields(out, scores);
    return out.Take();
}

HighScores HighScoresFromBytes(std::span<const std::uint8_t> image) {
    ByteReader in(image, HighScores::kByteSize, "high-score table");
    HighScores scores;
    Fields(in, scores);
    return scores;
}

void LoadHighScores(const GameFolder& folder, HighScores& scores) {
    scores = HighScoresFromBytes(folder.ReadPrefix(kHighScoresFile, HighScores::kByteSize));
}

std::string ScoresMarkerLine(Random& random) {
    std::string line;
    for (const auto& piece : kScoresMarkerPieces) {
        if (piece.randomBound > 0) {
            line += std::to_string(random(piece.randomBound));
        } else {
            line += piece.constant;
        }
    }
    line += "\r\n";
    return line;
}

void SaveHighScores(const GameFolder& folder, Random& random, const HighScores& scores) {
    folder.WriteAtomic(kHighScoresFile, HighScoresToBytes(scores));
    folder.WriteAtomic(kScoresMarkerFile, ScoresMarkerLine(random));
}

bool EnterHighScore(const GameFolder& folder, Random& random, HighScores& scores, bool testOnly,
                    std::string_view name, std::int32_t score) {
    int k = InsertionPosition(scores, score);
    if (score <= scores.HighScoreValue[k]) return false;
    if (testOnly) return true;
    HighScores updated = scores;
    InsertAt(updated, k, name, score);
    SaveHighScores(folder, random, updated);
    scores = updated;
    return true;
}

}  // namespace kr
