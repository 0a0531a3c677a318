#include "media/mpeg_video.hpp"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>

#include "engine/error.hpp"
#include "media/av_support.hpp"
#include "media/sound_source.hpp"
#include "media/video_timeline.hpp"

namespace kr::media {

namespace {

constexpr const char* kVideoFormats = "mpeg";
// MP2 decoding delays the sound by this many samples; they are dropped so
// the sound starts with its pictures.
constexpr int kMp2DelaySamples = 481;
// How far ahead the sound is decoded, and the most packets held for
// pictures not yet due (a guard against badly interleaved files).
constexpr int kSoundAheadFrames = 13230;  // 0.3 s
constexpr std::size_t kMaxQueuedPackets = 1024;
constexpr double kFallbackFrameSeconds = 0.04;  // 25 pictures a second

class MpegVideo final : public VideoPlayer {
public:
    MpegVideo(std::filesystem::path path, std::string name, std::shared_ptr<AudioOutput> output)
        : path_(std::move(path)), name_(std::move(name)), output_(std::move(output)) {
        OpenFile();
        timeline_ = ScanTimeline(input_.get(), PlayedStreams(), name_);
        Restart(0);
        if (!DecodeNextPicture()) throw FileError(name_, "has no decodable picture");
    }

    double PositionSeconds() const override {
        if (ended_ || sound_->PositionSeconds() >= sound_->DurationSeconds()) return timeline_.length;
        return std::min(timeline_.length, base_ + sound_->PositionSeconds());
    }
    double LengthSeconds() const override { return timeline_.length; }

    void SeekSeconds(double seconds) override {
        if (seconds >= timeline_.length) {
            ended_ = true;
            sound_->Stop();
            return;
        }
        ended_ = false;
        Restart(std::max(0.0, seconds));
    }

    void Update() override {
        if (ended_) return;
        FeedSound();
        ShowDuePictures(PositionSeconds());
    }
    const image::Image* Picture() const override { return pictureNumber_ ? &picture_ : nullptr; }
    long PictureNumber() const override { return pictureNumber_; }

private:
    std::vector<int> PlayedStreams() const {
        std::vector<int> streams{videoStream_};
        if (audioStream_ >= 0) streams.push_back(audioStream_);
        return streams;
    }

    // Opens (or reopens: the reliable rewind for program streams) the file
    // and its decoders.
    void OpenFile() {
        input_ = av::OpenInput(path_, name_, kVideoFormats);
        videoStream_ = av_find_best_stream(input_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (videoStream_ < 0) throw FileError(name_, "has no picture stream");
        video_ = av::OpenDecoder(input_.get(), videoStream_, name_);
        audioStream_ = av_find_best_stream(input_.get(), AVMEDIA_TYPE_AUDIO, -1, videoStream_, nullptr, 0);
        audio_.reset();
        if (audioStream_ >= 0) {
            try {
                audio_ = av::OpenDecoder(input_.get(), audioStream_, name_);
            } catch (const FileError&) {
                audioStream_ = -1;  // the pictures play on without their sound
            }
        }
        resampler_.reset();
        packets_.clear();
        pending_.clear();
        demuxEnded_ = videoFlushed_ = audioFlushed_ = haveNext_ = false;
        nextTime_ = 0;
        soundStarted_ = false;
        fedFrames_ = 0;
    }

    // Plays on from `seconds`: a fresh read of the file and a fresh sound.
    void Restart(double seconds) {
        OpenFile();
        base_ = seconds;
        showFirst_ = true;
        if (sound_) sound_->Stop();
        soundLength_ = std::llround((timeline_.length - seconds) * kMixRate);
        sound_ = output_->OpenLive(soundLength_);
        sound_->Start();
        if (audioStream_ < 0 && sound_->Feed()) sound_->Feed()->MarkEnded();
    }

    // Reads one packet: pictures are queued, sound is decoded when heard.
    // False at the end of the file.
    bool ReadPacket() {
        av::PacketPtr packet = av::NewPacket();
        if (av_read_frame(input_.get(), packet.get()) < 0) {
            demuxEnded_ = true;
            if (sound_->Feed() && audio_) DecodeSound(nullptr);
            return false;
        }
        if (packet->stream_index == videoStream_) {
            if (packets_.size() < kMaxQueuedPackets) packets_.push_back(std::move(packet));
        } else if (packet->stream_index == audioStream_ && sound_->Feed()) {
            DecodeSound(packet.get());
        }
        return true;
    }

    // Keeps about 0.3 s of sound ahead of the mixer. A soundtrack that stops
    // early, or lags its pictures by a whole queue, is ended: the rest plays
    // silent, so the pictures (timed by the sound) never wait for it.
    void FeedSound() {
        SampleFeed* feed = sound_->Feed();
        if (!feed || feed->Ended()) return;
        FlushPending(*feed);
        while (!demuxEnded_ && feed->BufferedFrames() + PendingFrames() < kSoundAheadFrames &&
               packets_.size() < kMaxQueuedPackets) {
            ReadPacket();
            FlushPending(*feed);
        }
        bool starved = packets_.size() >= kMaxQueuedPackets && feed->BufferedFrames() == 0;
        if ((demuxEnded_ && PendingFrames() == 0) || starved) feed->MarkEnded();
    }

    int PendingFrames() const { return static_cast<int>(pending_.size() / 2); }

    void FlushPending(SampleFeed& feed) {
        int written = feed.Write(pending_.data(), PendingFrames());
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(written) * 2);
    }

    void DecodeSound(const AVPacket* packet) {
        if (audioFlushed_) return;
        if (!packet) audioFlushed_ = true;
        if (avcodec_send_packet(audio_.get(), packet) < 0) return;  // a damaged packet is skipped
        av::FramePtr frame = av::NewFrame();
        while (avcodec_receive_frame(audio_.get(), frame.get()) == 0) {
            TakeSound(*frame);
            av_frame_unref(frame.get());
        }
    }

    void TakeSound(const AVFrame& frame) {
        if (!resampler_) resampler_ = av::NewMixResampler(frame);
        if (!resampler_) return;  // a sound that cannot be converted is left out
        if (!soundStarted_) {
            std::int64_t pts = frame.best_effort_timestamp;
            double start = pts == AV_NOPTS_VALUE ? 0 : av::Seconds(pts, input_->streams[audioStream_]->time_base);
            nextSoundFrame_ = std::llround((start - timeline_.origin) * kMixRate);
            if (audio_->codec_id == AV_CODEC_ID_MP2)
                nextSoundFrame_ -= std::llround(static_cast<double>(kMp2DelaySamples) * kMixRate / frame.sample_rate);
            soundStarted_ = true;
        }
        converted_.clear();
        int made = av::ResampleAppend(resampler_.get(), &frame, converted_);
        if (made > 0) Place(converted_.data(), made);
    }

    // Puts resampled frames at their place in the sound since base_: a gap
    // before them becomes silence, frames before base_ are dropped, and so
    // are frames past the sound's end (however far a damaged timestamp puts them).
    void Place(const float* frames, int count) {
        std::int64_t at = nextSoundFrame_ - std::llround(base_ * kMixRate);
        nextSoundFrame_ += count;
        if (at >= soundLength_) return;
        if (at > fedFrames_) {
            pending_.resize(pending_.size() + static_cast<std::size_t>(at - fedFrames_) * 2, 0.0f);
            fedFrames_ = at;
        }
        std::int64_t skip = std::min<std::int64_t>(count, fedFrames_ - at);
        pending_.insert(pending_.end(), frames + skip * 2, frames + static_cast<std::ptrdiff_t>(count) * 2);
        fedFrames_ += count - skip;
    }

    // A decoded picture's time from the origin. The last picture of a
    // reordered stream comes out of the decoder without a timestamp: it
    // follows the one before by a frame.
    double PictureTime(const AVFrame& picture) {
        AVStream* stream = input_->streams[videoStream_];
        if (picture.best_effort_timestamp != AV_NOPTS_VALUE)
            return av::Seconds(picture.best_effort_timestamp, stream->time_base) - timeline_.origin;
        AVRational rate = av_guess_frame_rate(input_.get(), stream, nullptr);
        return nextTime_ + (rate.num > 0 && rate.den > 0 ? av_q2d(av_inv_q(rate)) : kFallbackFrameSeconds);
    }

    // The next picture from the decoder into next_; false once there are none.
    bool DecodeNextPicture() {
        for (;;) {
            int status = avcodec_receive_frame(video_.get(), next_.get());
            if (status == 0) {
                nextTime_ = PictureTime(*next_);
                haveNext_ = true;
                return true;
            }
            if (status != AVERROR(EAGAIN) || videoFlushed_) return false;
            if (!packets_.empty()) {
                avcodec_send_packet(video_.get(), packets_.front().get());  // damaged packets are skipped
                packets_.pop_front();
            } else if (demuxEnded_) {
                avcodec_send_packet(video_.get(), nullptr);
                videoFlushed_ = true;
            } else {
                ReadPacket();
            }
        }
    }

    // Moves to the last picture whose time has come and converts it. The
    // first picture after a (re)start shows at once, even if it is stamped a
    // little later than the sound starts.
    void ShowDuePictures(double position) {
        bool changed = false;
        while ((haveNext_ || DecodeNextPicture()) && (nextTime_ <= position || showFirst_)) {
            std::swap(due_, next_);
            av_frame_unref(next_.get());
            haveNext_ = false;
            showFirst_ = false;
            changed = true;
        }
        if (changed) ConvertDue();
    }

    void ConvertDue() {
        const AVFrame& frame = *due_;
        if (frame.width <= 0 || frame.height <= 0) return;
        scaler_.reset(sws_getCachedContext(scaler_.release(), frame.width, frame.height,
                                           static_cast<AVPixelFormat>(frame.format), frame.width, frame.height,
                                           AV_PIX_FMT_RGBA, SWS_BILINEAR, nullptr, nullptr, nullptr));
        if (!scaler_) throw FileError(name_, "its pictures cannot be converted");
        if (picture_.width != frame.width || picture_.height != frame.height)
            picture_ = image::Image(frame.width, frame.height);
        std::uint8_t* planes[1] = {picture_.rgba.data()};
        int strides[1] = {frame.width * 4};
        sws_scale(scaler_.get(), frame.data, frame.linesize, 0, frame.height, planes, strides);
        ++pictureNumber_;
    }

    std::filesystem::path path_;
    std::string name_;
    std::shared_ptr<AudioOutput> output_;
    av::InputPtr input_;
    int videoStream_ = -1;
    int audioStream_ = -1;
    av::CodecPtr video_;
    av::CodecPtr audio_;
    av::ResamplerPtr resampler_;
    av::ScalerPtr scaler_;
    Timeline timeline_;

    double base_ = 0;  // where the current sound started
    std::int64_t soundLength_ = 0;
    std::unique_ptr<LivePlayback> sound_;
    bool ended_ = false;

    std::deque<av::PacketPtr> packets_;  // picture packets not yet decoded
    bool demuxEnded_ = false;
    bool videoFlushed_ = false;
    bool audioFlushed_ = false;

    std::vector<float> converted_;  // scratch for one decoded sound frame
    std::vector<float> pending_;    // sound decoded but not yet taken by the feed
    bool soundStarted_ = false;
    std::int64_t nextSoundFrame_ = 0;  // where the next decoded sound frame belongs, from the origin
    std::int64_t fedFrames_ = 0;       // sound frames placed since base_

    av::FramePtr next_ = av::NewFrame();
    av::FramePtr due_ = av::NewFrame();
    double nextTime_ = 0;
    bool haveNext_ = false;
    bool showFirst_ = false;
    image::Image picture_;
    long pictureNumber_ = 0;
};

}  // namespace

std::unique_ptr<VideoPlayer> OpenMpegVideo(const std::filesystem::path& path, const std::string& name,
                                           std::shared_ptr<AudioOutput> output) {
    return std::make_unique<MpegVideo>(path, name, std::move(output));
}

}  // namespace kr::media
