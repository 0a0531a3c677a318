#include "media/video_timeline.hpp"

extern "C" {
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "engine/error.hpp"
#include "media/av_support.hpp"

namespace kr::media {

namespace {

constexpr double kMaxTimestampJump = 2.0;

// A stream's packet times as the scan goes. Reordered MPEG pictures often
// carry only a decoding time, and the last one shown may be such a picture:
// each is taken to show no earlier than its decoding time plus the stream's
// start-up delay (how long its first picture waits between decoding and
// showing), which is exactly when the last picture of a constant-rate
// stream shows. A time far from the stream's previous one is damage and is
// left out, so one bad byte cannot stretch the video to minutes.
struct StreamClock {
    std::optional<std::int64_t> startDelay;
    std::optional<double> last;

    std::optional<double> Start(const AVPacket& packet, AVRational base) {
        const bool hasPts = packet.pts != AV_NOPTS_VALUE, hasDts = packet.dts != AV_NOPTS_VALUE;
        if (!startDelay && hasPts && hasDts && packet.pts >= packet.dts &&
            av::Seconds(packet.pts - packet.dts, base) <= kMaxTimestampJump)
            startDelay = packet.pts - packet.dts;
        if (!hasPts && !hasDts) return std::nullopt;
        std::int64_t time = hasPts ? packet.pts : packet.dts;
        if (hasDts) time = std::max(time, packet.dts + startDelay.value_or(0));
        double seconds = av::Seconds(time, base);
        if (last && std::fabs(seconds - *last) > kMaxTimestampJump) return std::nullopt;
        last = seconds;
        return seconds;
    }
};

}  // namespace

Timeline ScanTimeline(AVFormatContext* input, const std::vector<int>& streams, const std::string& name) {
    av::PacketPtr packet = av::NewPacket();
    std::map<int, StreamClock> clocks;
    double first = INFINITY, last = -INFINITY;
    while (av_read_frame(input, packet.get()) >= 0) {
        int index = packet->stream_index;
        if (std::find(streams.begin(), streams.end(), index) != streams.end()) {
            AVRational base = input->streams[index]->time_base;
            if (auto start = clocks[index].Start(*packet, base)) {
                first = std::min(first, *start);
                last = std::max(last, *start + av::Seconds(std::max<std::int64_t>(0, packet->duration), base));
            }
        }
        av_packet_unref(packet.get());
    }
    if (!(last > first)) throw FileError(name, "has no timed pictures");
    return {first, last - first};
}

}  // namespace kr::media
