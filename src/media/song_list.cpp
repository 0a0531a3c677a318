#include "media/song_list.hpp"

#include "engine/error.hpp"
#include "media/error_reason.hpp"

namespace kr::media {

namespace {

[[noreturn]] void Fail(const std::string& message, const SongListItem& item, const std::string& reason) {
    throw Error(message + " (" + item.FileName + ": " + reason + ")");
}

Gains CheckedGains(const SongListItem& item) {
    if (item.Volume < 0 || item.Volume > 100)
        throw Error("Error setting volume (" + std::to_string(item.Volume) + " is outside 0 to 100)");
    if (item.Pan < -100 || item.Pan > 100)
        throw Error("Error setting Pan (" + std::to_string(item.Pan) + " is outside -100 to 100)");
    return GainsFor(item.Volume, item.Pan);
}

}  // namespace

SongList::SongList(std::shared_ptr<AudioOutput> output, const GameFolder& folder, Holding holding)
    : output_(std::move(output)), folder_(folder), holding_(holding) {}

SongListItem& SongList::Item(int index) {
    return const_cast<SongListItem&>(static_cast<const SongList&>(*this).Item(index));
}

const SongListItem& SongList::Item(int index) const {
    if (index < 0 || index >= kSongListItems)
        throw Error("song item " + std::to_string(index) + " does not exist (items are 0 to " +
                    std::to_string(kSongListItems - 1) + ")");
    return items_[static_cast<std::size_t>(index)];
}

void SongList::LoadAll() {
    for (int i = 0; i < kSongListItems; ++i) {
        SongListItem& item = items_[static_cast<std::size_t>(i)];
        if (!item.Loaded) {
            CheckedGains(item);
            if (!item.FileName.empty()) LoadFile(i, item.FileName);
        }
        item.Active = true;
    }
}

void SongList::LoadFile(int index, const std::string& name) { Install(index, Prepare(name)); }

PreparedFile SongList::Prepare(const std::string& name) const {
    PreparedFile file{name, {}, nullptr};
    try {
        file.sound = output_->Prepare(folder_.Resolve(name), name, holding_);
    } catch (...) {
        file.failure = std::current_exception();
    }
    return file;
}

void SongList::Install(int index, PreparedFile file) {
    SongListItem& item = Item(index);
    item.stream.reset();
    item.Loaded = false;
    item.FileName = file.name;
    Gains gains = CheckedGains(item);
    try {
        if (file.failure) std::rethrow_exception(file.failure);
        item.stream = output_->Open(std::move(file.sound), gains);
    } catch (const Error& error) {
        throw Error("Error loading file: " + file.name + " (" + ReasonOf(error) + ")");
    }
    item.Loaded = true;
}

void SongList::Play(int index) {
    SongListItem& item = Item(index);
    if (!item.Active || !item.Loaded) return;
    try {
        item.stream->Start();
    } catch (const Error& error) {
        Fail("Error playing sound", item, ReasonOf(error));
    }
}

void SongList::Stop(int index) {
    SongListItem& item = Item(index);
    if (!item.Loaded) return;
    try {
        item.stream->Stop();
    } catch (const Error& error) {
        Fail("Error stopping sound", item, ReasonOf(error));
    }
}

bool SongList::IsPlaying(int index) const { return Position(index) < Duration(index); }

double SongList::Position(int index) const {
    const SongListItem& item = Item(index);
    if (!item.Loaded) return 0;
    if (auto failure = item.stream->Failure()) Fail("Error getting position", item, *failure);
    return item.stream->PositionSeconds();
}

double SongList::Duration(int index) const {
    const SongListItem& item = Item(index);
    if (!item.Loaded) return 0;
    if (auto failure = item.stream->Failure()) Fail("Error getting duration", item, *failure);
    return item.stream->DurationSeconds();
}

}  // namespace kr::media
