#pragma once
// The player's ship under mouse, keys or joystick: steering input, speeds,
// banking, the play area, and what travels with the ship; and the camera.

namespace kr {
struct Game;
}

namespace kr::gameplay {

// The ship's height while it flies.
inline constexpr float kFlightHeight = 150;

// Mouse motion, then keys, then the joystick decide the steering input.
void ReadSteering(Game& game);
// Moves the ship by the steering input and places its shield, beam and light.
void Fly(Game& game);
// The camera over the ship, shaken while CameraShake lasts.
void FollowWithCamera(Game& game);

}  // namespace kr::gameplay
