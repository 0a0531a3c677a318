#pragma once
// Where a program stream's time starts and how long it runs, found by
// reading every packet's timestamps: program streams start near half a
// second and carry no length of their own.

#include <string>
#include <vector>

struct AVFormatContext;

namespace kr::media {

struct Timeline {
    double origin = 0;  // seconds of the first timestamp
    double length = 0;  // seconds from there to the end of the last packet
};

// Reads `input` to its end, looking at the packets of `streams`. Throws
// FileError naming `name` when none is timed.
Timeline ScanTimeline(AVFormatContext* input, const std::vector<int>& streams, const std::string& name);

}  // namespace kr::media
