#pragma once
// Keyboard and mouse state as the game reads it. Keys are the classic PC
// set-1 scan codes (Escape 1, Enter 28, Space 57, arrows 200/203/205/208);
// the mouse is in layout pixels of the 1024x768 design.

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

namespace kr {

namespace scan {
inline constexpr int Escape = 1;
inline constexpr int Backspace = 14;
inline constexpr int Enter = 28;
inline constexpr int Space = 57;
inline constexpr int Up = 200;
inline constexpr int Left = 203;
inline constexpr int Right = 205;
inline constexpr int Down = 208;
}  // namespace scan

inline constexpr int kScanCodeCount = 256;
inline constexpr int kMouseButtonCount = 4;

struct KeyEvent {
    int code = 0;
    bool down = false;
};
struct MouseMoveEvent {  // absolute position
    int x = 0, y = 0;
};
struct MouseMotionEvent {  // relative motion
    int dx = 0, dy = 0;
};
struct MouseButtonEvent {
    int button = 1;  // 1..4
    bool down = false;
};
struct WheelEvent {
    int delta = 0;
};
using InputEvent = std::variant<KeyEvent, MouseMoveEvent, MouseMotionEvent, MouseButtonEvent, WheelEvent>;

// What the mouse read of one frame returns.
struct MouseReading {
    int x = 0, y = 0;
    int dx = 0, dy = 0;
    std::array<bool, kMouseButtonCount> buttons{};
    int wheel = 0;
};

// A game controller's state: axes from 0 to 10000 with the centre at 5000,
// buttons as bits (button n is bit n).
struct JoystickState {
    std::int32_t x = 5000;
    std::int32_t y = 5000;
    std::uint32_t buttons = 0;
    bool Button(int n) const { return n >= 0 && n < 32 && ((buttons >> n) & 1U) != 0; }
};
inline constexpr std::int32_t kJoystickAxisMax = 10000;

class InputState {
public:
    void Apply(const InputEvent& event);
    // Starts a new frame: relative motion and wheel count from zero again.
    void BeginFrame();

    bool KeyDown(int code) const;
    // The key went down since the frame began (held keys repeating do not count).
    bool KeyPressed(int code) const;
    // A key went down / a button was clicked since the frame began.
    bool KeyPressedThisFrame() const { return keyPresses_ > 0; }
    bool ClickedThisFrame() const { return clicks_ > 0; }
    MouseReading Mouse() const { return mouse_; }
    void SetMousePosition(int x, int y);
    void ReleaseAll();  // focus lost: no key or button stays held

private:
    std::array<bool, kScanCodeCount> keys_{};
    std::array<bool, kScanCodeCount> pressed_{};
    MouseReading mouse_;
    int keyPresses_ = 0;
    int clicks_ = 0;
};

}  // namespace kr
