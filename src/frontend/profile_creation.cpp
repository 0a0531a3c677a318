#include "frontend/profile_creation.hpp"

#include <array>

#include "app/game.hpp"
#include "app/saves.hpp"
#include "app/sound.hpp"
#include "frontend/menu_widgets.hpp"

namespace kr::frontend {

namespace {

struct CharacterKey {
    int scanCode;
    char character;
};

// In the order the keys are tested within a frame.
constexpr std::array<CharacterKey, 37> kCharacterKeys{{
    {30, 'A'}, {48, 'B'}, {46, 'C'}, {32, 'D'}, {18, 'E'}, {33, 'F'}, {34, 'G'}, {35, 'H'}, {23, 'I'}, {36, 'J'},
    {37, 'K'}, {38, 'L'}, {50, 'M'}, {49, 'N'}, {24, 'O'}, {25, 'P'}, {19, 'R'}, {31, 'S'}, {20, 'T'}, {22, 'U'},
    {17, 'W'}, {47, 'V'}, {45, 'X'}, {21, 'Y'}, {44, 'Z'}, {16, 'Q'}, {2, '1'},  {3, '2'},  {4, '3'},  {5, '4'},
    {6, '5'},  {7, '6'},  {8, '7'},  {9, '8'},  {10, '9'}, {11, '0'}, {57, ' '},
}};

constexpr std::size_t kNameCapacity = 40;
constexpr int kTypeSound = 20;
constexpr int kClearSound = 18;
constexpr int kConfirmSound = 19;

void DrawPanels(Game& game) {
    Engine& engine = *game.engine;
    engine.Begin2D();
    Corners frameCorners;
    frameCorners.bottomRight = {1, 1, 1, 0.8f};
    DrawWideScreenFrame(game, frameCorners);
    engine.DrawTexture(engine.TextureId("p256x64"), 140, 265, 396, 329);
    engine.DrawTexture(engine.TextureId("p512x128"), 300, 330, 812, 458);
    engine.DrawTexture(engine.TextureId("p256x64"), 700, 460, 956, 524);
    engine.End2D();
}

void DrawTexts(Game& game, const NameEntry& entry) {
    Engine& engine = *game.engine;
    int font22 = engine.FontId("Font22");
    int font42 = engine.FontId("Font42");
    std::string prompt = std::string(game.langText[9].View()) + " :";
    engine.BeginText();
    engine.DrawText(prompt, 330, 350, {0.8f, 0.3f, 0.3f, 1}, font22);
    engine.DrawText(prompt, 331, 351, {0, 0, 0, 1}, font22);
    engine.DrawText(entry.NameBuffer, 341, 381, {1, 1, 1, 1}, font42);
    engine.DrawText(entry.NameBuffer, 342, 382, {0, 0, 0, 1}, font42);
    engine.DrawText(game.langText[10].View(), 175, 285, {0.7f, 0.2f, 0.2f, 1}, font22);
    engine.DrawText(game.langText[11].View(), 735, 480, {0.7f, 0.2f, 0.2f, 1}, font22);
    engine.EndText();
}

void DrawFrame(Game& game, const NameEntry& entry) {
    Engine& engine = *game.engine;
    TurnBackdrop(game, -0.0009, 0.001);
    RenderMenuScene(game);
    DrawPanels(game);
    DrawTexts(game, entry);
    engine.Present();
}

}  // namespace

void TypeName(Game& game, NameEntry& entry) {
    Engine& engine = *game.engine;
    if (entry.KeyDelay > 0) {
        entry.KeyDelay -= engine.FrameTimeMs() * 0.008;
        if (entry.KeyDelay < 0) entry.KeyDelay = 0;
    }
    if (entry.KeyDelay != 0) return;
    for (const CharacterKey& key : kCharacterKeys) {
        // Checked per key, so keys held together cannot pass the limit.
        if (entry.TypedCount >= kMaxTypedCharacters || !engine.KeyDown(key.scanCode)) continue;
        PlaySound(game, kTypeSound);
        if (entry.NameBuffer.size() < kNameCapacity) entry.NameBuffer += key.character;
        entry.KeyDelay = 1.0;
        ++entry.TypedCount;
    }
    if (engine.KeyDown(scan::Backspace)) {
        PlaySound(game, kClearSound);
        entry.NameBuffer.clear();
        entry.KeyDelay = 1.0;
        entry.TypedCount = 0;
    }
}

void ProfileCreationScreen(Game& game) {
    Engine& engine = *game.engine;
    engine.SetCursor("", 0, 0);
    MoveMenuLight(game, {20, -600, 100});
    NameEntry entry;
    for (;;) {
        DrawFrame(game, entry);
        AdvancePulse(game.pilots.PilotPulse, engine.FrameTimeMs());
        SetMenuLightStrength(game, game.pilots.PilotPulse.MenuPulse);
        TypeName(game, entry);
        if (engine.KeyDown(scan::Enter) && !entry.NameBuffer.empty()) break;
    }
    PlaySound(game, kConfirmSound);
    CreatePilot(game, entry.NameBuffer);
    engine.SetCursor("kursor", 32, 32);
    engine.ShowCursor(true);
}

}  // namespace kr::frontend
