#include "engine/input.hpp"

#include "engine/overloaded.hpp"

namespace kr {

void InputState::Apply(const InputEvent& event) {
    std::visit(Overloaded{
                   [this](const KeyEvent& e) {
                       if (e.code <= 0 || e.code >= kScanCodeCount) return;
                       if (e.down && !keys_[e.code]) pressed_[e.code] = true;
                       keys_[e.code] = e.down;
                       if (e.down) ++keyPresses_;
                   },
                   [this](const MouseMoveEvent& e) {
                       mouse_.x = e.x;
                       mouse_.y = e.y;
                   },
                   [this](const MouseMotionEvent& e) {
                       mouse_.dx += e.dx;
                       mouse_.dy += e.dy;
                   },
                   [this](const MouseButtonEvent& e) {
                       if (e.button < 1 || e.button > kMouseButtonCount) return;
                       mouse_.buttons[e.button - 1] = e.down;
                       if (e.down) ++clicks_;
                   },
                   [this](const WheelEvent& e) { mouse_.wheel += e.delta; },
               },
               event);
}

void InputState::BeginFrame() {
    mouse_.dx = 0;
    mouse_.dy = 0;
    mouse_.wheel = 0;
    keyPresses_ = 0;
    clicks_ = 0;
    pressed_.fill(false);
}

bool InputState::KeyPressed(int code) const {
    return code > 0 && code < kScanCodeCount && pressed_[static_cast<std::size_t>(code)];
}

bool InputState::KeyDown(int code) const {
    return code > 0 && code < kScanCodeCount && keys_[code];
}

void InputState::SetMousePosition(int x, int y) {
    mouse_.x = x;
    mouse_.y = y;
}

void InputState::ReleaseAll() {
    keys_.fill(false);
    mouse_.buttons.fill(false);
}

}  // namespace kr
