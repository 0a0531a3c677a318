#include "engine/particles/particle_system.hpp"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>

#include "engine/error.hpp"
#include "engine/particles/emitter.hpp"

namespace kr::particles {
namespace {

constexpr double kMsPerSecond = 1000.0;

std::string EmitterName(int emitter) { return "particle emitter " + std::to_string(emitter); }

std::string Text(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

[[noreturn]] void Fail(int emitter, const std::string& what) {
    throw Error(EmitterName(emitter) + ": " + what);
}

void RequireFinite(int emitter, const char* what, double value) {
    if (!std::isfinite(value)) Fail(emitter, std::string(what) + " " + Text(value) + " is not a finite number");
}

void RequireFinite(int emitter, const char* what, glm::vec3 value) {
    for (int axis = 0; axis < 3; ++axis) RequireFinite(emitter, what, value[axis]);
}

void RequireNotNegative(int emitter, const char* what, double value) {
    RequireFinite(emitter, what, value);
    if (value < 0.0) Fail(emitter, std::string(what) + " " + Text(value) + " is negative");
}

BlendMode BlendModeFromCode(int emitter, int code) {
    switch (code) {
        case static_cast<int>(BlendMode::Additive): return BlendMode::Additive;
        case static_cast<int>(BlendMode::Alpha): return BlendMode::Alpha;
        default: Fail(emitter, "blending mode " + std::to_string(code) + " is not known (1 or 2)");
    }
}

glm::vec3 PerMs(glm::vec3 perSecond) { return perSecond / static_cast<float>(kMsPerSecond); }

}  // namespace

ParticleSystem::ParticleSystem(std::uint64_t seed) : slots_(1), random_(seed) {}
ParticleSystem::~ParticleSystem() = default;
ParticleSystem::ParticleSystem(ParticleSystem&&) noexcept = default;
ParticleSystem& ParticleSystem::operator=(ParticleSystem&&) noexcept = default;

int ParticleSystem::CreateEmitter(int kind, int count) {
    if (kind != 0) throw Error("particle emitter kind " + std::to_string(kind) + " is not supported (only 0, sprites)");
    if (count < 0 || count > kMaxParticlesPerEmitter)
        throw Error("particle emitter count " + std::to_string(count) + " is outside 0.." +
                    std::to_string(kMaxParticlesPerEmitter));
    const auto number = static_cast<int>(slots_.size());
    slots_.push_back({std::make_unique<Emitter>(static_cast<std::size_t>(count)), std::nullopt});
    live_.push_back(number);
    return number;
}

void ParticleSystem::DestroyEmitter(int emitter) {
    Slot& slot = SlotOf(emitter);
    slot.emitter.reset();
    slot.attachment.reset();
    live_.erase(std::find(live_.begin(), live_.end(), emitter));
}

bool ParticleSystem::Exists(int emitter) const {
    return emitter > 0 && static_cast<std::size_t>(emitter) < slots_.size() && slots_[emitter].emitter;
}

ParticleSystem::Slot& ParticleSystem::SlotOf(int emitter) {
    return const_cast<Slot&>(std::as_const(*this).SlotOf(emitter));
}

const ParticleSystem::Slot& ParticleSystem::SlotOf(int emitter) const {
    if (emitter <= 0 || static_cast<std::size_t>(emitter) >= slots_.size()) Fail(emitter, "no such emitter");
    const Slot& slot = slots_[emitter];
    if (!slot.emitter) Fail(emitter, "the emitter was destroyed");
    return slot;
}

void ParticleSystem::SetPowerAndLifetime(int emitter, double power, double lifetimeSeconds) {
    RequireNotNegative(emitter, "power", power);
    RequireNotNegative(emitter, "lifetime", lifetimeSeconds);
    EmitterSettings& settings = Get(emitter).Settings();
    settings.ratePerMs = power / kMsPerSecond;
    settings.lifetimeMs = lifetimeSeconds * kMsPerSecond;
}

void ParticleSystem::SetLaunchSpeed(int emitter, double unitsPerSecond) {
    RequireFinite(emitter, "launch speed", unitsPerSecond);
    Get(emitter).Settings().launchSpeed = static_cast<float>(unitsPerSecond / kMsPerSecond);
}

void ParticleSystem::SetBlending(int emitter, int mode) {
    EmitterSettings& settings = Get(emitter).Settings();
    settings.blending = BlendModeFromCode(emitter, mode);
}

void ParticleSystem::SetSpread(int emitter, glm::vec3 unitsPerSecond) {
    RequireFinite(emitter, "speed spread", unitsPerSecond);
    Get(emitter).Settings().spread = PerMs(unitsPerSecond);
}

void ParticleSystem::SetBox(int emitter, bool on, glm::vec3 from, glm::vec3 to) {
    RequireFinite(emitter, "box corner", from);
    RequireFinite(emitter, "box corner", to);
    EmitterSettings& settings = Get(emitter).Settings();
    settings.useBox = on;
    settings.boxFrom = from;
    settings.boxTo = to;
}

void ParticleSystem::SetColour(int emitter, Colour colour) {
    for (float channel : {colour.r, colour.g, colour.b, colour.a}) RequireFinite(emitter, "colour", channel);
    Get(emitter).Settings().colour = colour;
}

void ParticleSystem::SetSprite(int emitter, std::string_view texture, float size, bool sizeChanges,
                               glm::vec3 endScale) {
    RequireNotNegative(emitter, "sprite size", size);
    RequireFinite(emitter, "sprite scale", endScale);
    EmitterSettings& settings = Get(emitter).Settings();
    settings.texture.assign(texture);
    settings.startSize = size;
    settings.sizeChanges = sizeChanges;
    settings.endWidth = std::abs(endScale.x);
    settings.endHeight = std::abs(endScale.y);
}

void ParticleSystem::SetDirection(int emitter, bool directed, glm::vec3 unitsPerSecond) {
    RequireFinite(emitter, "direction", unitsPerSecond);
    EmitterSettings& settings = Get(emitter).Settings();
    settings.directed = directed;
    settings.direction = PerMs(unitsPerSecond);
}

void ParticleSystem::SetLooping(int emitter, bool on) { Get(emitter).SetLooping(on); }

void ParticleSystem::SetEmitting(int emitter, bool on) { Get(emitter).SetEmitting(on); }

void ParticleSystem::SetPosition(int emitter, glm::vec3 position) {
    RequireFinite(emitter, "position", position);
    Slot& slot = SlotOf(emitter);
    slot.emitter->MoveTo(position);
    if (!slot.attachment) return;
    // Placing an attached emitter moves it relative to its object.
    if (auto object = Locate(*slot.attachment))
        slot.attachment->offset = position - *object;
    else
        slot.attachment.reset();
}

void ParticleSystem::Attach(int emitter, int objectKind, int objectId) {
    Slot& slot = SlotOf(emitter);
    if (!locator_) Fail(emitter, "cannot attach: the scene gives no object positions");
    Attachment attachment{objectKind, objectId, {}};
    auto object = Locate(attachment);
    if (!object)
        Fail(emitter, "cannot attach to object " + std::to_string(objectId) + " (kind " +
                          std::to_string(objectKind) + "): it does not exist");
    attachment.offset = slot.emitter->Position() - *object;
    slot.attachment = attachment;
}

std::optional<glm::vec3> ParticleSystem::Locate(const Attachment& attachment) const {
    if (!locator_) return std::nullopt;
    return locator_(attachment.objectKind, attachment.objectId);
}

void ParticleSystem::FollowAttachments() {
    for (int number : live_) {
        Slot& slot = slots_[number];
        if (!slot.attachment) continue;
        if (auto object = Locate(*slot.attachment))
            slot.emitter->MoveTo(*object + slot.attachment->offset);
        else
            slot.attachment.reset();
    }
}

void ParticleSystem::Update(double frameMs) {
    if (!std::isfinite(frameMs) || frameMs < 0.0)
        throw Error("particle update: frame time " + Text(frameMs) + " ms is not a valid duration");
    FollowAttachments();
    for (int number : live_) slots_[number].emitter->Advance(frameMs, random_);
}

void ParticleSystem::Collect(std::vector<Billboard>& billboards, std::vector<EmitterDraw>& draws) const {
    billboards.clear();
    draws.clear();
    for (int number : live_) {
        const Emitter& emitter = *slots_[number].emitter;
        if (emitter.LiveCount() == 0) continue;
        const EmitterSettings& settings = emitter.Settings();
        const std::size_t first = billboards.size();
        emitter.AppendBillboards(billboards);
        draws.push_back({number, settings.texture, settings.blending, first, billboards.size() - first});
    }
}

std::size_t ParticleSystem::LiveParticles(int emitter) const { return Get(emitter).LiveCount(); }
bool ParticleSystem::IsEmitting(int emitter) const { return Get(emitter).Emitting(); }
bool ParticleSystem::IsLooping(int emitter) const { return Get(emitter).Looping(); }
glm::vec3 ParticleSystem::Position(int emitter) const { return Get(emitter).Position(); }

}  // namespace kr::particles
