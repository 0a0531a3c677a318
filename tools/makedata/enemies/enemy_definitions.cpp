#include "enemies/enemy_definitions.hpp"

#include <cstdio>

namespace kr::makedata::enemies {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string Line(const std::string& text) { return text + kLineEnd; }

std::string Real(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

}  // namespace

std::string EnemyDefinitionText(const std::string& type, const EnemyRules& rules) {
    std::string text;
    text += Line("KRAVELLON enemy type");
    text += Line(type);
    text += Line("Model scale:");
    text += Line(Real(rules.modelScale));
    text += Line("Model turn about y (degrees):");
    text += Line(std::to_string(rules.modelTurn));
    text += Line("Spins (0 = no, 1 = yes):");
    text += Line(std::to_string(rules.spins));
    text += Line("Spin range:");
    text += Line(std::to_string(rules.spinRange));
    text += Line("Reserved:");
    text += Line("0");
    text += Line("Hit points:");
    text += Line(std::to_string(rules.hitPoints));
    text += Line("Engine trail (0 = off, 1 = on):");
    text += Line(std::to_string(rules.engineTrail));
    text += Line("Shot model (1 - 14):");
    text += Line(std::to_string(rules.shotModel));
    return text;
}

std::string EnemyListText(const std::string& map, const std::vector<std::string>& types) {
    std::string text = Line("Enemy types of " + map);
    text += Line(std::to_string(types.size()));
    for (const std::string& type : types) text += Line(type);
    return text;
}

}  // namespace kr::makedata::enemies
