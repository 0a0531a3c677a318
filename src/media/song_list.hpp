#pragma once
// A player of numbered songs: 32 items, each holding at most one sound file.
// The game addresses items by index, music in one list and sound effects in
// another. Failures raise Error with the operation's message followed by the
// file and the reason.

#include <array>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "engine/game_folder.hpp"
#include "media/playback.hpp"

namespace kr::media {

inline constexpr int kSongListItems = 32;

// A file read ahead for an item, or why it could not be.
struct PreparedFile {
    std::string name;
    PreparedSound sound;
    std::exception_ptr failure;
};

struct SongListItem {
    std::string FileName;  // the game-folder name it was loaded from
    int Volume = 100;      // 0..100
    int Pan = 0;           // -100..100
    bool Loop = false;     // never set: no item repeats by itself
    bool Loaded = false;   // a file is open
    bool Active = false;   // visited by LoadAll
    std::unique_ptr<Playback> stream;
};

class SongList {
public:
    // Files are names under `folder`; `holding` says how they are decoded.
    SongList(std::shared_ptr<AudioOutput> output, const GameFolder& folder, Holding holding);

    // Throws Error for an index outside 0..31.
    SongListItem& Item(int index);
    const SongListItem& Item(int index) const;

    // Visits every item in index order: one with a file name but no open file
    // gets it opened; every item is marked Active.
    void LoadAll();
    // Releases the item's previous file and opens `name` ("sound\hit.wav").
    void LoadFile(int index, const std::string& name);
    // LoadFile in two steps: Prepare reads and decodes the file (on any
    // thread; it never throws), Install then loads it into the item exactly
    // as LoadFile does, failing as LoadFile would.
    PreparedFile Prepare(const std::string& name) const;
    void Install(int index, PreparedFile file);
    // Only an Active, Loaded item plays: from its start, restarting it if it
    // is playing already.
    void Play(int index);
    // Only a Loaded item: stops and rewinds.
    void Stop(int index);
    // Position < duration: also true for a loaded item that is stopped.
    bool IsPlaying(int index) const;
    // Seconds; 0 for an item without a file.
    double Position(int index) const;
    double Duration(int index) const;

private:
    std::shared_ptr<AudioOutput> output_;
    const GameFolder& folder_;
    Holding holding_;
    std::array<SongListItem, kSongListItems> items_;
};

}  // namespace kr::media
