#pragma once
// A window timer driven by the engine clock. It fires between frames, never
// inside a modal loop of frames. It keeps its rhythm while it is served in
// time; ticks missed while a modal loop ran are not made up: it fires once
// and waits a full interval.

namespace kr {

struct FormTimer {
    double intervalMs = 1000;
    bool enabled = false;
    double dueAtMs = 0;

    void Enable(double nowMs) {
        if (enabled) return;  // enabling a running timer does not restart it
        enabled = true;
        dueAtMs = nowMs + intervalMs;
    }
    void Disable() { enabled = false; }
    // True when the timer fires at clock time `nowMs`.
    bool Due(double nowMs) {
        if (!enabled || nowMs < dueAtMs) return false;
        dueAtMs += intervalMs;
        if (dueAtMs <= nowMs) dueAtMs = nowMs + intervalMs;
        return true;
    }
};

}  // namespace kr
