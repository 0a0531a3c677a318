#pragma once
// Creating and configuring every engine object: at start-up, after the
// options change and at each mission start. Each run replaces the engine
// and everything it made.

namespace kr {
struct Game;

void InitEngine(Game& game);
// The glow surface and its colour.
void InitGlow(Game& game);

// The log lines of an engine start, in order (also read by the tests).
inline constexpr const char* kLogRule = "--------------------------------------------";
inline constexpr const char* kLogTitle = "k r a v e l l O n";
inline constexpr const char* kLogNotice = "Rebuilt for Linux on SDL2, OpenGL and FFmpeg";
inline constexpr const char* kLogVersion = "Game Version : 1.0 DEMO";
inline constexpr const char* kLogInitializing = "KRAVELLON : Initializing game engine...";
inline constexpr const char* kLogMaterials = "KRAVELLON : Creating default materials...";

}  // namespace kr
