#include "frontend/shop.hpp"

#include <optional>
#include <string>

#include "app/game.hpp"
#include "app/screens.hpp"
#include "frontend/menu_widgets.hpp"

namespace kr::frontend {

const std::array<ShopUpgrade, 16> kShopUpgrades{{
    {0, false},
    {15, false}, {30, false}, {40, false}, {40, false}, {150, false}, {50, false},      // row A
    {500, false}, {200, false}, {150, false}, {1000, false}, {100, false}, {250, false}, // row B
    {200, false}, {350, false}, {40, true},                                              // row C
}};

bool CanAfford(int item, int money) {
    const ShopUpgrade& u = kShopUpgrades[static_cast<std::size_t>(item)];
    return u.priceExclusive ? money > u.price : money >= u.price;
}

namespace {

constexpr int kGuns = 4;
constexpr HitRect kBackHit{734, 657, 831, 695};

// Where upgrade `item` sits: its icon and its pointing band (rows B and C
// point 10 pixels above their icons).
struct UpgradeSlot {
    float iconX, iconY;
    HitRect hit;
};
UpgradeSlot SlotOf(int item) {
    int row = item <= 6 ? 0 : item <= 12 ? 1 : 2;
    int j = item - 6 * row;
    static constexpr int kIconTop[] = {300, 410, 480};
    static constexpr int kBandTop[] = {300, 400, 470};
    int x = 70 * j + 30;
    return {static_cast<float>(x), static_cast<float>(kIconTop[row]), {x, kBandTop[row], x + 64, kBandTop[row] + 64}};
}
// The icon frames behind the upgrades are 3 pixels larger all round.
HitRect FrameOf(int item) {
    UpgradeSlot slot = SlotOf(item);
    int x = static_cast<int>(slot.iconX), y = static_cast<int>(slot.iconY);
    return {x - 3, y - 3, x + 67, y + 67};
}
HitRect GunHit(int g) { return {164 + 70 * (g - 1), 180, 228 + 70 * (g - 1), 244}; }

int& Money(Game& game) { return game.profiles.ProfileMoney[game.ActiveProfile]; }
std::uint8_t& Weapon(Game& game) { return game.profiles.ProfileWeapon[game.ActiveProfile]; }
std::int32_t& Upgrade(Game& game, int item) { return game.profiles.ProfileUpgrades[game.ActiveProfile][item]; }

void Animate(Game& game) {
    ShopState& s = game.shop;
    s.ShopAnimTime += game.engine->FrameTimeMs() * 0.002;
    if (s.ShopAnimFrame == 0) s.ShopAnimFrame = 1;
    if (s.ShopAnimTime <= 1) return;
    s.ShopAnimTime = 0;
    s.ShopAnimFrame = static_cast<std::uint8_t>(s.ShopAnimFrame % 4 + 1);
    ReplaceTexture(*game.engine, "krav", "graphics\\Anim01\\" + std::to_string(s.ShopAnimFrame) + ".dds", -327764);
}

void DrawPulsingFrame(Game& game) {
    Engine& engine = *game.engine;
    auto p = static_cast<float>(game.menuPulse.MenuPulse);
    auto black = [](float a) { return Colour{0, 0, 0, a}; };
    engine.DrawFilledBox(597, 120, 962, 592, {black((1 - p) / 2), black(p / 2), black(p / 2), black(p / 2)});
    engine.DrawFilledBox(602, 125, 957, 587, {black(p / 2), black((1 - p) / 2), black((1 - p) / 2), black((1 - p) / 2)});
}

void DrawIcons(Game& game) {
    Engine& engine = *game.engine;
    const int frame = engine.TextureId("i_tlo");
    const Corners frameColour = Corners::All({1, 1, 1, 0.9f});
    for (int g = 1; g <= kGuns; ++g)
        engine.DrawTexture(frame, static_cast<float>(70 * g + 91), 177, static_cast<float>(70 * g + 161), 247, frameColour);
    for (int item = 1; item <= kProfileUpgrades; ++item) {
        HitRect f = FrameOf(item);
        engine.DrawTexture(frame, static_cast<float>(f.x1), static_cast<float>(f.y1), static_cast<float>(f.x2),
                           static_cast<float>(f.y2), frameColour);
    }
    auto icon = [&](int n, float x, float y, Colour colour) {
        engine.DrawTexture(engine.TextureId("i" + std::to_string(n)), x, y, x + 64, y + 64, Corners::All(colour));
    };
    for (int pass = 0; pass < 2; ++pass) {  // all dark first, then the owned ones bright
        for (int item = 1; item <= kProfileUpgrades; ++item) {
            if (pass == 1 && Upgrade(game, item) <= 0) continue;
            UpgradeSlot slot = SlotOf(item);
            icon(item + 4, slot.iconX, slot.iconY, pass == 0 ? Colour{0, 0, 0, 0.2f} : Colour{1, 1, 1, 1});
        }
    }
    for (int g = 1; g <= kGuns; ++g) icon(g, static_cast<float>(GunHit(g).x1), 180, {0, 0, 0, 0.2f});
    int mounted = Weapon(game) + 1;
    icon(mounted, static_cast<float>(GunHit(mounted).x1), 180, {1, 1, 1, 1});
}

void DrawPictures(Game& game) {
    Engine& engine = *game.engine;
    engine.Begin2D();
    DrawWideScreenFrame(game);
    engine.DrawTexture(engine.TextureId("p512x512"), 60, 100, 572, 612);
    engine.DrawTexture(engine.TextureId("p512x512"), 582, 100, 982, 612);
    engine.DrawTexture(engine.TextureId("p128x64"), 720, 646, 848, 710);
    DrawPulsingFrame(game);
    engine.DrawTexture(engine.TextureId("krav"), 607, 130, 954, 358);
    engine.DrawFilledBox(607, 358, 954, 582, Corners::All({0, 0, 0, 1}));
    DrawIcons(game);
    engine.End2D();
}

// The shop-file entry under the pointer, after buying what a press asks for.
std::optional<int> PointAndBuy(Game& game) {
    const int x = game.mouse.MouseX, y = game.mouse.MouseY;
    const bool pressed = game.mouse.MouseButton1 != 0;
    for (int g = 1; g <= kGuns; ++g) {
        if (!GunHit(g).Contains(x, y)) continue;
        if (pressed && Weapon(game) != g - 1 && Money(game) > 1) {
            Weapon(game) = static_cast<std::uint8_t>(g - 1);
            Money(game) -= 1;
        }
        return g;
    }
    for (int item = 1; item <= kProfileUpgrades; ++item) {
        if (!SlotOf(item).hit.Contains(x, y)) continue;
        if (pressed && CanAfford(item, Money(game)) && Upgrade(game, item) != 1) {
            Upgrade(game, item) = 1;
            Money(game) -= kShopUpgrades[static_cast<std::size_t>(item)].price;
        }
        return item + 4;
    }
    return std::nullopt;
}

void DrawTitles(Game& game) {
    Engine& engine = *game.engine;
    const int font42 = engine.FontId("Font42");
    const std::pair<int, float> titles[] = {{75, 120}, {76, 245}, {77, 365}};
    for (const auto& [text, y] : titles) {
        std::string_view title = game.langText[text].View();
        int third = TextWidth(game, 42, title) / 3;
        engine.DrawText(title, static_cast<float>(260 - third), y, {1, 1, 1, 0.5f}, font42);
        engine.DrawText(title, static_cast<float>(262 - third), y + 2, {0, 0, 0, 0.4f}, font42);
    }
    std::string credits = std::string(game.langText[85].View()) + " : " + std::to_string(Money(game));
    engine.DrawText(credits, 630, 440, {1, 0.8f, 0.8f, 0.8f}, engine.FontId("Font22"));
}

// The pointed item's name and lines at the pointer, over a shade that fades
// out to the right and down.
void DrawShopText(Game& game, float x, float y) {
    Engine& engine = *game.engine;
    engine.Begin2D();
    engine.DrawFilledBox(x + 15, y + 25, x + 400, y + 120, {{0, 0, 0, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}});
    engine.End2D();
    const ShopText& text = game.shopText;
    // Smaller faces than the screen's captions: the lines are only 12 pixels apart.
    const int nameFont = engine.FontId("Font16"), lineFont = engine.FontId("Font14");
    const float lineY[] = {44, 56, 69};
    engine.BeginText();
    for (float shift : {0.0f, 1.0f}) {
        bool shadow = shift > 0;
        engine.DrawText(text.Name.View(), x + 20 + shift, y + 30 + shift,
                        shadow ? Colour{0, 0, 0, 0.8f} : Colour{0.9f, 0.9f, 0.9f, 1}, nameFont);
        for (int i = 1; i <= 3; ++i)
            engine.DrawText(text.Lines[i].View(), x + 20 + shift, y + lineY[i - 1] + shift,
                            shadow ? Colour{0, 0, 0, 0.8f} : Colour{1, 0.4f, 0.4f, 1}, lineFont);
    }
    engine.EndText();
}

void DescribePointed(Game& game, int entry) {
    if (game.shopText.ShopTextItem != entry)
        LoadShopText(game.folder, game.settings.Language.View(), static_cast<std::uint8_t>(entry), game.shopText);
    DrawShopText(game, static_cast<float>(game.mouse.MouseX), static_cast<float>(game.mouse.MouseY));
}

}  // namespace

void ShopScreen(Game& game) {
    Engine& engine = *game.engine;
    Animate(game);
    TurnBackdrop(game, -0.005, 0.001);
    RenderMenuBackdrop(game);
    DrawPictures(game);
    engine.BeginText();
    int backX = 770 - TextWidth(game, 22, game.langText[4].View()) / 3;
    DrawBackLabel(game, static_cast<float>(backX), 666, game.shop.ShopBackGlow);
    std::optional<int> pointed = PointAndBuy(game);
    DrawTitles(game);
    engine.EndText();
    if (pointed) DescribePointed(game, *pointed);
    engine.Present();
    UpdateMenuPulse(game);
    Decay(game.shop.ShopBackGlow, engine.FrameTimeMs());
    if (HoverBackButton(game, kBackHit, true)) {
        game.shop.ShopBackGlow = 0.7;
        if (game.mouse.MouseButton1) {
            game.ScreenId = screen_id::Hangar;
            FadeTransition(game, 300);
        }
    }
}

}  // namespace kr::frontend
