#include "media/mixer_output.hpp"

#include "engine/error.hpp"
#include "media/audio_decoder.hpp"

namespace kr::media {

namespace {

const char* const kNotTaken = "the audio device is not taking requests";

// A channel of the mixer for the life of a playback.
class Channel {
public:
    explicit Channel(Mixer& mixer) : mixer_(mixer), id_(mixer.Acquire()) {}
    ~Channel() { mixer_.Release(id_); }
    Channel(const Channel&) = delete;
    Channel& operator=(const Channel&) = delete;

    void Start(std::shared_ptr<SoundSource> source, std::int64_t length, Gains gains) {
        if (!mixer_.Start(id_, std::move(source), length, gains)) throw Error(kNotTaken);
    }
    void Stop() {
        if (!mixer_.Stop(id_)) throw Error(kNotTaken);
    }
    double PositionSeconds() const { return FramesToSeconds(mixer_.Position(id_)); }

private:
    Mixer& mixer_;
    int id_;
};

class WholeSound final : public Playback {
public:
    WholeSound(Mixer& mixer, DecodedSound sound, Gains gains)
        : source_(std::make_shared<PcmSource>(std::move(sound.samples))), channel_(mixer), gains_(gains) {}

    void Start() override { channel_.Start(source_, source_->Frames(), gains_); }
    void Stop() override { channel_.Stop(); }
    double PositionSeconds() const override { return channel_.PositionSeconds(); }
    double DurationSeconds() const override { return FramesToSeconds(source_->Frames()); }

private:
    std::shared_ptr<PcmSource> source_;
    Channel channel_;
    Gains gains_;
};

class StreamedSound final : public Playback {
public:
    StreamedSound(Mixer& mixer, Streamer& streamer, std::shared_ptr<StreamJob> job, std::int64_t length, Gains gains)
        : channel_(mixer), streamer_(streamer), job_(std::move(job)), length_(length), gains_(gains) {
        streamer_.Add(job_);
    }
    ~StreamedSound() override { streamer_.Remove(job_.get()); }

    void Start() override {
        channel_.Start(job_->Restart(), length_, gains_);
        streamer_.Wake();
    }
    void Stop() override {
        channel_.Stop();
        job_->Halt();
    }
    double PositionSeconds() const override { return channel_.PositionSeconds(); }
    double DurationSeconds() const override { return FramesToSeconds(length_); }
    std::optional<std::string> Failure() const override { return job_->Failure(); }

private:
    Channel channel_;
    Streamer& streamer_;
    std::shared_ptr<StreamJob> job_;
    std::int64_t length_;
    Gains gains_;
};

class LiveSound final : public LivePlayback {
public:
    LiveSound(Mixer& mixer, std::int64_t length) : channel_(mixer), length_(length) {}

    void Start() override {
        auto feed = std::make_shared<SampleFeed>(kLiveFeedFrames);
        channel_.Start(feed, length_, Gains{});
        feed_ = std::move(feed);
    }
    void Stop() override {
        channel_.Stop();
        feed_.reset();
    }
    double PositionSeconds() const override { return channel_.PositionSeconds(); }
    double DurationSeconds() const override { return FramesToSeconds(length_); }
    SampleFeed* Feed() override { return feed_.get(); }

private:
    Channel channel_;
    std::int64_t length_;
    std::shared_ptr<SampleFeed> feed_;
};

}  // namespace

MixerOutput::MixerOutput() = default;

MixerOutput::~MixerOutput() { device_.reset(); }

PreparedSound MixerOutput::Prepare(const std::filesystem::path& path, const std::string& name, Holding holding) const {
    PreparedSound sound{path, name, holding, 0, {}};
    if (holding == Holding::Whole) {
        sound.samples = DecodeSoundFile(path, name).samples;
        sound.lengthFrames = static_cast<std::int64_t>(sound.samples.size() / 2);
    } else {
        sound.lengthFrames = MeasureSoundFile(path, name);
    }
    return sound;
}

std::unique_ptr<Playback> MixerOutput::Open(PreparedSound sound, Gains gains) {
    if (sound.holding == Holding::Whole)
        return std::make_unique<WholeSound>(mixer_, DecodedSound{std::move(sound.samples)}, gains);
    auto job = std::make_shared<StreamJob>(std::make_unique<AudioDecoder>(sound.path, sound.name));
    return std::make_unique<StreamedSound>(mixer_, streamer_, std::move(job), sound.lengthFrames, gains);
}

std::unique_ptr<LivePlayback> MixerOutput::OpenLive(std::int64_t lengthFrames) {
    return std::make_unique<LiveSound>(mixer_, lengthFrames);
}

}  // namespace kr::media
