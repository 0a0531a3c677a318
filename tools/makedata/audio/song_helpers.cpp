#include "audio/song_helpers.hpp"

#include <sstream>

#include "engine/error.hpp"

namespace kr::audio {
namespace {

std::vector<int> ChordNotes(std::string_view chord) {
    std::vector<int> notes;
    std::size_t start = 0;
    while (start <= chord.size()) {
        std::size_t colon = chord.find(':', start);
        if (colon == std::string_view::npos) colon = chord.size();
        notes.push_back(ParseNoteName(chord.substr(start, colon - start)));
        start = colon + 1;
    }
    return notes;
}

std::string ExpandPart(std::string_view token, const std::vector<int>& notes) {
    if (token.empty() || token[0] < '0' || token[0] > '9') return std::string(token);
    const auto index = static_cast<std::size_t>(token[0] - '0');
    if (index >= notes.size()) throw Error("motif token '" + std::string(token) + "' names a missing chord note");
    int note = notes[index];
    std::string_view rest = token.substr(1);
    while (!rest.empty() && (rest[0] == '\'' || rest[0] == ',')) {
        note += rest[0] == '\'' ? 12 : -12;
        rest.remove_prefix(1);
    }
    return NoteName(note) + std::string(rest);
}

// A token may join several parts with ':' to play them together.
std::string ExpandToken(std::string_view token, const std::vector<int>& notes) {
    std::string out;
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = token.find(':', start);
        out += ExpandPart(token.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start),
                          notes);
        if (colon == std::string_view::npos) return out;
        out += ':';
        start = colon + 1;
    }
}

}  // namespace

std::string NoteName(int midi) {
    static constexpr const char* kNames[12] = {"c", "c#", "d", "d#", "e", "f", "f#", "g", "g#", "a", "a#", "b"};
    return std::string(kNames[midi % 12]) + std::to_string(midi / 12 - 1);
}

std::string OverChords(std::string_view motif, const std::vector<std::string>& chords) {
    std::string out;
    for (const auto& chord : chords) {
        const auto notes = ChordNotes(chord);
        std::istringstream tokens{std::string(motif)};
        std::string token;
        while (tokens >> token) out += ExpandToken(token, notes) + " ";
    }
    return out;
}

std::string Repeat(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += std::string(text) + " ";
    return out;
}

Pattern ChordPattern(const std::vector<std::string>& chords, double beats) {
    std::string text;
    for (const auto& chord : chords) text += chord + " ";
    return ParsePattern(text, beats);
}

}  // namespace kr::audio
