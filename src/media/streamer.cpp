#include "media/streamer.hpp"

#include <chrono>

#include "media/error_reason.hpp"

namespace kr::media {

namespace {
constexpr int kChunkFrames = 4096;
constexpr auto kTick = std::chrono::milliseconds(40);
}  // namespace

std::shared_ptr<SampleFeed> StreamJob::Restart() {
    auto feed = std::make_shared<SampleFeed>(kStreamFeedFrames);
    std::lock_guard lock(mutex_);
    feed_ = feed;
    rewind_ = true;
    return feed;
}

void StreamJob::Halt() {
    std::lock_guard lock(mutex_);
    feed_.reset();
}

std::optional<std::string> StreamJob::Failure() const {
    std::lock_guard lock(mutex_);
    return failure_;
}

void StreamJob::TopUp() {
    std::lock_guard lock(mutex_);
    if (!feed_ || feed_->Ended() || failure_) return;
    try {
        if (rewind_) {
            decoder_->Rewind();
            rewind_ = false;
        }
        float chunk[kChunkFrames * 2];
        while (feed_->FreeFrames() >= kChunkFrames) {
            int got = decoder_->Read(chunk, kChunkFrames);
            if (got == 0) {
                feed_->MarkEnded();
                return;
            }
            feed_->Write(chunk, got);
        }
    } catch (const std::exception& error) {
        failure_ = ReasonOf(error);  // the rest plays as silence; the game hears of it when it asks
        feed_->MarkEnded();
    }
}

Streamer::Streamer() : thread_([this] { Run(); }) {}

Streamer::~Streamer() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void Streamer::Add(std::shared_ptr<StreamJob> job) {
    std::lock_guard lock(mutex_);
    jobs_.push_back(std::move(job));
}

void Streamer::Remove(const StreamJob* job) {
    std::lock_guard lock(mutex_);
    std::erase_if(jobs_, [job](const auto& held) { return held.get() == job; });
}

void Streamer::Wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    wake_.notify_one();
}

void Streamer::Run() {
    std::vector<std::shared_ptr<StreamJob>> pass;
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait_for(lock, kTick, [this] { return woken_ || quit_; });
            if (quit_) return;
            woken_ = false;
            pass = jobs_;
        }
        for (const auto& job : pass) job->TopUp();
        pass.clear();
    }
}

}  // namespace kr::media
