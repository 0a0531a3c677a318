#include "engine/particles/emitter.hpp"

#include <algorithm>
#include <cmath>

#include "engine/particles/launch.hpp"

namespace kr::particles {
namespace {

// Keeps a rate times a frame time that should come out whole (0.1 × 100) from
// landing just below and losing a particle to rounding.
constexpr double kRoundingSlack = 1e-9;

}  // namespace

Emitter::Emitter(std::size_t capacity) : pool_(capacity) {}

void Emitter::SetEmitting(bool on) {
    emitting_ = on;
    burstLeft_ = (on && !looping_) ? pool_.size() : 0;
}

void Emitter::SetLooping(bool on) {
    // Ending the loop of a running emitter lets it finish with one burst.
    if (!on && looping_ && emitting_) burstLeft_ = pool_.size();
    if (on) burstLeft_ = 0;
    looping_ = on;
}

void Emitter::MoveTo(glm::vec3 position) {
    position_ = position;
    if (!advanced_) previous_ = position;  // placed before its first frame: no path yet
}

void Emitter::Advance(double frameMs, Random& random) {
    AgeParticles(frameMs);
    if (emitting_) {
        if (looping_)
            Stream(frameMs, random);
        else
            Burst(random);
    }
    previous_ = position_;
    advanced_ = true;
}

void Emitter::AgeParticles(double frameMs) {
    const double lifetime = settings_.lifetimeMs;
    const auto step = static_cast<float>(frameMs);
    for (std::size_t i = 0; i < live_;) {
        Particle& particle = pool_[i];
        particle.ageMs += step;
        if (particle.ageMs >= lifetime) {
            particle = pool_[--live_];  // the moved one is aged on this same pass
            continue;
        }
        particle.position += particle.velocity * step;
        ++i;
    }
}

void Emitter::Stream(double frameMs, Random& random) {
    const double rate = settings_.ratePerMs;
    const double lifetime = settings_.lifetimeMs;
    const double carried = owed_;
    const double owed = carried + rate * frameMs;
    const double due = std::floor(owed + kRoundingSlack);
    owed_ = owed - due;
    if (due < 1.0) return;
    // Particle k (from 1) fell due (k - carried) / rate ms into the frame; the
    // ones whose whole life has passed by the frame's end are never made.
    double k = std::max(1.0, std::floor(carried + rate * (frameMs - lifetime)) + 1.0);
    for (; k <= due && live_ < pool_.size(); k += 1.0) {
        const double bornAt = std::min((k - carried) / rate, frameMs);
        const double age = frameMs - bornAt;
        if (age < lifetime) Launch(PointOnPath(bornAt, frameMs), age, random);
    }
}

void Emitter::Burst(Random& random) {
    if (settings_.lifetimeMs <= 0.0) {
        burstLeft_ = 0;
        return;
    }
    for (; burstLeft_ > 0 && live_ < pool_.size(); --burstLeft_) Launch(position_, 0.0, random);
}

void Emitter::Launch(glm::vec3 origin, double ageMs, Random& random) {
    Particle& particle = pool_[live_++];
    particle.velocity = LaunchVelocity(settings_, random);
    particle.ageMs = static_cast<float>(ageMs);
    particle.position = origin + SpawnOffset(settings_, random) + particle.velocity * particle.ageMs;
    particle.rotation = RandomAngle(random);
}

glm::vec3 Emitter::PointOnPath(double msIntoFrame, double frameMs) const {
    if (frameMs <= 0.0) return position_;
    const auto share = static_cast<float>(msIntoFrame / frameMs);
    return previous_ + (position_ - previous_) * share;
}

void Emitter::AppendBillboards(std::vector<Billboard>& out) const {
    for (std::size_t i = 0; i < live_; ++i) out.push_back(Draw(pool_[i]));
}

Billboard Emitter::Draw(const Particle& particle) const {
    const double lifetime = settings_.lifetimeMs;
    const float spent =
        lifetime > 0.0 ? static_cast<float>(std::min(1.0, particle.ageMs / lifetime)) : 1.0f;
    Billboard billboard;
    billboard.position = particle.position;
    const glm::vec2 start{settings_.startSize};
    const glm::vec2 end{settings_.endWidth, settings_.endHeight};
    billboard.size = settings_.sizeChanges ? start + (end - start) * spent : start;
    billboard.colour = settings_.colour;
    billboard.colour.a *= 1.0f - spent;  // fade out over the life
    billboard.rotation = particle.rotation;
    return billboard;
}

}  // namespace kr::particles
