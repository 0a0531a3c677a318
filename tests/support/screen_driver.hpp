#pragma once
// Drives the screens of a generated game frame by frame, with input the way
// the back-end delivers it: events queued now reach the frame after next.

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "app/screens.hpp"
#include "app/startup.hpp"
#include "support/generated_game.hpp"

namespace kr::test {

struct ScreenDriver : GeneratedGame {
    ScreenDriver() {
        backend.onRender = [this] {
            ++rendered_;
            for (auto& [due, event] : scheduled_)
                if (due == rendered_) backend.queued.push_back(event);
        };
    }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) IdleDispatch(game, screens);
    }
    // Runs frames until the screen changes (at most `limit`).
    void UntilScreenLeaves(std::uint8_t id, int limit = 5000) {
        for (int i = 0; i < limit && game.ScreenId == id; ++i) IdleDispatch(game, screens);
    }
    void Key(int code, bool down) { backend.queued.push_back(KeyEvent{code, down}); }
    void MouseAt(int x, int y) { backend.queued.push_back(MouseMoveEvent{x, y}); }
    void Button(bool down) { backend.queued.push_back(MouseButtonEvent{1, down}); }
    // Feeds `event` once `frames` more frames have been shown, also inside
    // the screens that run frames of their own.
    void Schedule(long frames, InputEvent event) { scheduled_.emplace_back(rendered_ + frames, event); }
    // A click as a hand makes it: let go a frame after it was taken, also
    // when the click started a screen change's fade.
    void ClickAt(int x, int y) {
        MouseAt(x, y);
        Button(true);
        Schedule(3, MouseButtonEvent{1, false});
        Frames(3);
    }
    // Whether the last frame shown drew `text`.
    bool FrameSays(std::string_view text) const {
        if (backend.frames.empty()) return false;
        for (const DrawnText& drawn : backend.frames.back().texts)
            if (drawn.text == text) return true;
        return false;
    }

    // From the start of the program past the intro and the loading, onto
    // the logo screen: everything the menus need is loaded.
    void StartToLogo() {
        FormCreate(game);
        FormClick(game);
        UntilScreenLeaves(screen_id::Startup);
    }

    ScreenTable screens;

private:
    long rendered_ = 0;
    std::vector<std::pair<long, InputEvent>> scheduled_;
};

}  // namespace kr::test
