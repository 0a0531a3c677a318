// The mission HUD as one frame records it: the layout against both screen
// edges, the time bar, radar blips, the weapon bar with owned and unowned
// weapons, heat, life and armour, the boss bar, the texts and the fading
// mission title.

#include <cmath>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/text/cp1250.hpp"
#include "gameplay/arsenal.hpp"
#include "gameplay/hud.hpp"
#include "fight_world.hpp"

namespace kr {
namespace {

bool SameColour(const Colour& a, const Colour& b) {
    return std::abs(a.r - b.r) < 1e-4f && std::abs(a.g - b.g) < 1e-4f && std::abs(a.b - b.b) < 1e-4f &&
           std::abs(a.a - b.a) < 1e-4f;
}

struct Hud : ::testing::Test, test::FightWorld {
    Hud() { StartFight(); }

    void Screen(int w, int h) {
        game.settings.ScreenWidth = w;
        game.settings.ScreenHeight = h;
    }
    float W() const { return static_cast<float>(game.settings.ScreenWidth); }
    float H() const { return static_cast<float>(game.settings.ScreenHeight); }

    const FrameRecord& Draw() {
        Engine& engine = *game.engine;
        engine.Clear();
        gameplay::DrawHud(game);
        engine.Present();
        return backend.frames.back();
    }
    std::vector<Quad2D> Quads(std::string_view texture) {
        const TextureHandle handle = game.engine->textures().Handle(game.engine->TextureId(texture));
        return QuadsWhere([&](const Quad2D& q) { return q.texture == handle; });
    }
    // Untextured boxes whose top-left corner has `colour`.
    std::vector<Quad2D> Boxes(const Colour& colour) {
        return QuadsWhere([&](const Quad2D& q) { return q.texture == 0 && SameColour(q.colours[0], colour); });
    }
    std::vector<DrawnText> Texts(std::string_view text) const {
        std::vector<DrawnText> found;
        for (const DrawnText& drawn : backend.frames.back().texts)
            if (drawn.text == text) found.push_back(drawn);
        return found;
    }
    std::string Lang(int n) const { return std::string(game.langText[n].View()); }

private:
    template <typename Keep>
    std::vector<Quad2D> QuadsWhere(Keep keep) {
        std::vector<Quad2D> found;
        for (const DrawCommand& command : backend.frames.back().commands)
            if (const auto* quads = std::get_if<QuadsCommand>(&command))
                for (const Quad2D& quad : quads->quads)
                    if (keep(quad)) found.push_back(quad);
        return found;
    }
};

TEST_F(Hud, KeepsItsPlaceAgainstTheScreenEdgesAtEveryResolution) {
    for (const auto& [w, h] : {std::pair{1024, 768}, std::pair{800, 600}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        Screen(w, h);
        Draw();
        ASSERT_EQ(Quads("time_bkg").size(), 1u);
        EXPECT_EQ(Quads("time_bkg")[0].x1, W() - 50);
        EXPECT_EQ(Quads("time_bkg")[0].y2, 522) << "the time bar's length does not follow the height";
        EXPECT_EQ(Quads("radar_tlo")[0].x2, W());
        const Quad2D frame = Quads("okno1")[0];
        EXPECT_EQ(frame.y1, H() - 276);
        EXPECT_EQ(frame.x2, 276);
        const Quad2D gunCell = Quads("i_tlo1")[0];
        EXPECT_EQ(gunCell.x1, W() - 50);
        EXPECT_EQ(gunCell.y1, H() - 60);
        EXPECT_EQ(gunCell.y2, H() - 10);
        const Quad2D abilityCell = Quads("i_tlo2")[0];
        EXPECT_EQ(abilityCell.x1, W() - 95) << "the second cell, one step of 45 to the left";
        const std::vector<Quad2D> gun = Quads("i1");
        ASSERT_EQ(gun.size(), 2u) << "the main gun's icon is drawn twice";
        EXPECT_EQ(gun[0].x1, W() - 48);
        EXPECT_EQ(gun[0].y1, H() - 48);
        EXPECT_EQ(gun[0].x2, W() - 12);
        EXPECT_EQ(gun[0].y2, H() - 12);
    }
    EXPECT_EQ(Quads("i_tlo1")[0].y1, 540) << "at 800 x 600 the bottom cells start at y 540";
}

TEST_F(Hud, TheTimeBarFillsWithTheClockAndStaysFullOnceTheFightIsOver) {
    game.mission.SpawnMinutes = 3;
    game.MissionSeconds = 90;
    Draw();
    EXPECT_EQ(Quads("time_fill")[0].y2, 15 + 5 * 50);
    EXPECT_EQ(Quads("time_button")[0].y1, 10 + 5 * 50);
    game.MissionSeconds = 181;
    Draw();
    EXPECT_EQ(Quads("time_fill")[0].y2, 520);
    game.mission.SpawnMinutes = 0;
    game.MissionSeconds = 0;
    Draw();
    EXPECT_TRUE(std::isfinite(Quads("time_button")[0].y1)) << "a mission without a fight phase divides by nothing";
    EXPECT_EQ(Quads("time_fill")[0].y2, 515);
}

TEST_F(Hud, TheRadarShowsTheShipAndEveryLiveEnemy) {
    PlaceShip(-150, 30);
    StandingEnemy(1, 900, -300);
    StandingEnemy(2, 600, 0).HitPoints = 0;
    Draw();
    const std::vector<Quad2D> ship = Boxes({1, 1, 0, 0.8f});
    ASSERT_EQ(ship.size(), 1u);
    EXPECT_FLOAT_EQ((ship[0].x1 + ship[0].x2) / 2, W() - 125 - 2);
    EXPECT_FLOAT_EQ((ship[0].y1 + ship[0].y2) / 2, 120 + 10);
    EXPECT_FLOAT_EQ(ship[0].x2 - ship[0].x1, 2);
    const std::vector<Quad2D> enemies = Boxes({1, 0, 0, 0.8f});
    ASSERT_EQ(enemies.size(), 1u) << "a dead enemy is not shown";
    EXPECT_FLOAT_EQ((enemies[0].x1 + enemies[0].x2) / 2, W() - 125 + 20);
    EXPECT_FLOAT_EQ((enemies[0].y1 + enemies[0].y2) / 2, 120 - 60);
}

TEST_F(Hud, AWeaponThePilotDoesNotOwnShowsNoIconFrameOrNumber) {
    Own(7);  // slot 2 only; slot 3 (item 8) is not owned
    game.mission.WeaponCooldown[1] = 30;
    game.mission.WeaponCooldown[2] = 12;
    gameplay::BlockUnownedWeapons(game);
    Draw();
    ASSERT_EQ(Quads("i11").size(), 1u);
    EXPECT_EQ(Quads("i11")[0].x1, W() - 45 * 4 - 5 + 2) << "slot 2 sits in cell 4";
    EXPECT_TRUE(SameColour(Quads("i11")[0].colours[0], {1, 0.3f, 0.3f, 0.3f})) << "it fades in as it cools";
    EXPECT_TRUE(Quads("i12").empty());
    EXPECT_EQ(Quads("i_tlo").size(), 3u) << "inner frames: main gun, ability and the one owned slot";
    const std::vector<DrawnText> number = Texts("30");
    ASSERT_EQ(number.size(), 2u) << "the number and its shadow";
    EXPECT_EQ(number[0].x, W() - 45 * 4 + 10);
    EXPECT_EQ(number[0].y, H() - 10);
    EXPECT_EQ(number[1].x, number[0].x - 1);
    EXPECT_TRUE(Texts("100").empty()) << "the pinned cooldown of an unowned weapon";
}

TEST_F(Hud, TheSelectedCellShowsWhetherItsWeaponIsReady) {
    Own(7);
    game.player.SelectedWeapon = 2;
    game.mission.WeaponCooldown[1] = 10;
    Draw();
    ASSERT_EQ(Quads("i_tlo20").size(), 1u);
    EXPECT_EQ(Quads("i_tlo20")[0].x1, W() - 45 * 4 - 5);
    EXPECT_TRUE(Quads("i_tlo2").empty());
    game.player.SelectedWeapon = 0;
    game.mission.WeaponCooldown[9] = 120.5;  // ship 1's ability
    Draw();
    ASSERT_EQ(Quads("i_tlo20").size(), 1u);
    EXPECT_EQ(Quads("i_tlo20")[0].x1, W() - 95);
    ASSERT_EQ(Texts("120").size(), 2u) << "halves round to even";
    EXPECT_EQ(Texts("120")[0].x, W() - 80);
    EXPECT_TRUE(Quads("i_spec1")[0].colours[0].a == 0) << "a long cooldown hides the ability's icon";
    game.mission.WeaponCooldown[9] = 145;
    Draw();
    EXPECT_TRUE(Texts("145").empty());
    game.mission.WeaponCooldown[9] = 0;
    Draw();
    EXPECT_EQ(Quads("i_tlo2").size(), 1u);
    EXPECT_FLOAT_EQ(Quads("i_spec1")[0].colours[0].a, 0.9f);
}

TEST_F(Hud, TheGunsHeatShowsInItsBarFrameLabelAndWarning) {
    game.player.GunHeat = 50;
    Draw();
    EXPECT_EQ(Quads("laser")[0].x2, 164 + 50);
    EXPECT_EQ(Quads("i_tlo1").size(), 1u);
    EXPECT_TRUE(Texts(Lang(115)).empty());
    EXPECT_EQ(Quads("lasertlo").size(), 2u);
    game.player.GunHeat = 80;
    Draw();
    EXPECT_EQ(Quads("i_tlo10").size(), 1u);
    EXPECT_TRUE(Quads("i_tlo1").empty());
    const std::vector<DrawnText> warning = Texts(Lang(115));
    ASSERT_EQ(warning.size(), 2u);
    EXPECT_EQ(warning[0].y, H() - 120);
    EXPECT_NEAR(warning[0].x + 2, warning[1].x, 1e-4);
    EXPECT_TRUE(SameColour(Texts(Lang(73))[0].colour, {1, 0.5f, 0.4f, 1}));
    game.player.GunHeat = 96;
    Draw();
    EXPECT_TRUE(SameColour(Texts(Lang(73))[0].colour, {1, 0.5f, 0.5f, 1})) << "the label reddens near the top";
    const Quad2D glow = Quads("i1")[0];
    const float h = 96.0f / 110;
    EXPECT_TRUE(SameColour(glow.colours[0], {h, 0, 0, h}));
    EXPECT_TRUE(SameColour(glow.colours[3], {1 - h, 1 - h, 1 - h, 1 - h}));
}

TEST_F(Hud, LifeAndArmourGrowUpFromTheirBase) {
    game.player.Life = 100;
    game.player.Armour = 40;
    Draw();
    const Quad2D life = Quads("pas_life")[0];
    const std::vector<Quad2D> tracks = Quads("pas_tlo");
    ASSERT_EQ(tracks.size(), 2u);
    EXPECT_EQ(life.y2, tracks[0].y1 - 15) << "a full life bar rises 15 pixels past its background";
    const Quad2D armour = Quads("pas_armo")[0];
    EXPECT_EQ(armour.y1 - armour.y2, 40);
    EXPECT_EQ(armour.x1, tracks[1].x1);
}

TEST_F(Hud, TheBossBarShowsOnlyWhileTheBossLives) {
    const Colour backdrop{0, 0, 0, 0.5f}, health{1, 0.4f, 0.4f, 0.7f};
    game.mission.BossHitPointsB = 200;
    game.mission.BossHitPointsA = 50;
    Draw();
    EXPECT_TRUE(Boxes(backdrop).empty()) << "not before the boss phase";
    game.mission.BossPhase = 1;
    Draw();
    ASSERT_EQ(Boxes(health).size(), 1u);
    EXPECT_EQ(Boxes(health)[0].x2 - Boxes(health)[0].x1, 25);
    EXPECT_EQ(Boxes(backdrop)[0].x1, W() / 2 - 55);
    game.mission.BossHitPointsA = 1;
    Draw();
    EXPECT_EQ(Boxes(health).size(), 1u);
    game.mission.BossHitPointsA = 0;
    Draw();
    EXPECT_TRUE(Boxes(backdrop).empty());
    EXPECT_TRUE(Boxes(health).empty());
    game.mission.BossHitPointsA = 500;
    game.mission.BossHitPointsB = 0;
    Draw();
    EXPECT_EQ(Boxes(health)[0].x2, W() / 2 + 50) << "the bar stays within its backdrop";
}

TEST_F(Hud, PointsAndTheKillRatioNeverPastAHundred) {
    game.mission.MissionScore = 1234;
    game.mission.EnemiesCreated = 3;
    game.mission.EnemiesDestroyed = 9;
    Draw();
    EXPECT_EQ(Texts("1234")[0].x, 50);
    EXPECT_EQ(Texts(Lang(52) + ":").size(), 2u);
    const std::vector<DrawnText> full = Texts("100%");
    ASSERT_EQ(full.size(), 1u);
    const float width = game.engine->MeasureText("100%", game.engine->FontId("Font22"));
    EXPECT_NEAR(full[0].x + width, 150, 1e-3) << "right-aligned";
    game.mission.EnemiesDestroyed = 2;
    Draw();
    EXPECT_EQ(Texts("50%").size(), 1u);
    game.mission.EnemiesCreated = -1;
    Draw();
    EXPECT_EQ(Texts("0%").size(), 1u) << "a broken count divides by nothing";
}

TEST_F(Hud, OlderMessagesFadeAndTheNewestIsNearlyOpaque) {
    game.mission.Messages[10] = {"newest", 0.4, 1, 0.4};
    game.mission.Messages[1] = {"oldest", 1, 0.4, 0.4};
    Draw();
    const std::vector<DrawnText> newest = Texts("newest");
    ASSERT_EQ(newest.size(), 2u);
    EXPECT_TRUE(SameColour(newest[0].colour, {0.4f, 1, 0.4f, 0.99f}));
    EXPECT_EQ(newest[0].y, 10);
    EXPECT_TRUE(SameColour(newest[1].colour, {0, 0, 0, 0.99f}));
    EXPECT_EQ(newest[1].x, 12);
    const std::vector<DrawnText> oldest = Texts("oldest");
    ASSERT_EQ(oldest.size(), 2u);
    EXPECT_NEAR(oldest[0].colour.a, 1 / 11.0 + 0.1, 1e-6);
    EXPECT_EQ(oldest[0].y, 145);
}

TEST_F(Hud, TheMissionTitleFadesAwayInUpperCase) {
    game.CurrentMission = 2;
    game.missionText.MissionName.Assign(text::Utf8ToCp1250("Zażółć gęślą jaźń"));
    const std::string upper = text::Utf8ToCp1250("ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
    game.mission.TitleFade = 1;  // as a new mission starts
    Draw();
    ASSERT_EQ(Texts(upper).size(), 1u);
    EXPECT_EQ(Texts(upper)[0].y, 240);
    EXPECT_EQ(Texts("--[ 3 ]--").size(), 1u);
    EXPECT_NEAR(game.mission.TitleFade, 1 - 0.00006 * game.engine->FrameTimeMs(), 1e-9);
    game.mission.TitleFade = 0.5;
    Draw();
    EXPECT_NEAR(Texts(upper)[0].colour.a, 0.5, 1e-6);
    game.mission.TitleFade = 0.0001;
    Draw();
    EXPECT_EQ(game.mission.TitleFade, 0) << "it stops at 0";
    Draw();
    EXPECT_TRUE(Texts(upper).empty());
    EXPECT_TRUE(Texts("--[ 3 ]--").empty());
}

}  // namespace
}  // namespace kr
