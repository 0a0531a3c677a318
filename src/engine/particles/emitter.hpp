#pragma once
// One emitter and its pool of particles. Particles live in world space: they
// keep flying where they were launched while the emitter moves on.
//
// Streaming (looping on): particles leave at the power rate, each launched at
// the moment within the frame it fell due, from the point the emitter had
// reached by then, so long frames and fast emitters still give even trails.
// Bursts (looping off): switching on releases `capacity` particles at once,
// then the emitter stays silent until it is switched on again.

#include <cstddef>
#include <vector>

#include <glm/vec3.hpp>

#include "engine/particles/draw_output.hpp"
#include "engine/particles/emitter_settings.hpp"
#include "engine/random.hpp"

namespace kr::particles {

class Emitter {
public:
    explicit Emitter(std::size_t capacity);

    EmitterSettings& Settings() { return settings_; }
    const EmitterSettings& Settings() const { return settings_; }

    void SetEmitting(bool on);
    void SetLooping(bool on);
    bool Emitting() const { return emitting_; }
    bool Looping() const { return looping_; }

    void MoveTo(glm::vec3 position);
    glm::vec3 Position() const { return position_; }

    void Advance(double frameMs, Random& random);

    std::size_t LiveCount() const { return live_; }
    void AppendBillboards(std::vector<Billboard>& out) const;

private:
    struct Particle {
        glm::vec3 position{0.0f};
        glm::vec3 velocity{0.0f};  // units per ms
        float ageMs = 0.0f;
        float rotation = 0.0f;
    };

    void AgeParticles(double frameMs);
    void Stream(double frameMs, Random& random);
    void Burst(Random& random);
    void Launch(glm::vec3 origin, double ageMs, Random& random);
    glm::vec3 PointOnPath(double msIntoFrame, double frameMs) const;
    Billboard Draw(const Particle& particle) const;

    EmitterSettings settings_;
    std::vector<Particle> pool_;  // sized once; the first live_ entries are alive
    std::size_t live_ = 0;
    bool emitting_ = false;
    bool looping_ = true;
    std::size_t burstLeft_ = 0;   // burst particles still waiting for a free slot
    double owed_ = 0.0;           // fraction of a streamed particle carried to the next frame
    glm::vec3 position_{0.0f};
    glm::vec3 previous_{0.0f};    // where the emitter was at the last update
    bool advanced_ = false;
};

}  // namespace kr::particles
