#pragma once
// The particle emitters of one scene, simulated on the CPU. Emitters are
// reached by the integer the system hands out when one is made; a destroyed
// emitter's number is never handed out again, and using it is an error.
//
// The game's operations and their meaning here:
//   create emitter (kind, count)  CreateEmitter: kind 0 = camera-facing sprites;
//                                 count = most particles alive, and a burst's size
//   power and lifetime (p, l)     SetPowerAndLifetime: p particles per second,
//                                 each living l seconds (applies at once, also to
//                                 particles already alive)
//   single value (v)              SetLaunchSpeed: units per second along the direction
//   blending mode (m)             SetBlending: 1 additive, 2 alpha
//   speed vector (x, y, z)        SetSpread: random extra velocity, ± units per second per axis
//   box (flag, a, b)              SetBox: particles appear anywhere between a and b,
//                                 relative to the emitter
//   colour (r, g, b, a)           SetColour: tint of the sprite; alpha fades to 0 over a life
//   sprite (name, size, flag, s)  SetSprite: texture by name, size in world units; with
//                                 the flag the size moves to (s.x, s.y) over a life
//   direction (flag, v)           SetDirection: with the flag every particle carries v
//                                 (units per second) plus the launch speed along it;
//                                 without it particles leave in random directions
//   looping, emitting (on/off)    SetLooping, SetEmitting: see emitter.hpp
//   position, attach (kind, id)   SetPosition, Attach: an attached emitter keeps the
//                                 offset from its object it had when attached
//
// A new emitter is silent (emitting off) and looping. All motion advances by
// the frame time given to Update; nothing is clamped. Random choices come from
// the system's own seeded generator, so the same calls with the same frame
// times give the same particles.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <glm/vec3.hpp>

#include "engine/colour.hpp"
#include "engine/particles/draw_output.hpp"
#include "engine/random.hpp"

namespace kr::particles {

class Emitter;

inline constexpr int kMaxParticlesPerEmitter = 100000;

class ParticleSystem {
public:
    // Where an object emitters can be attached to stands now; nothing when it
    // is gone (its emitters are then left where they are, detached).
    using ObjectLocator = std::function<std::optional<glm::vec3>(int objectKind, int objectId)>;

    static constexpr std::uint64_t kDefaultSeed = 0x6b7261766c6e7073ULL;

    explicit ParticleSystem(std::uint64_t seed = kDefaultSeed);
    ~ParticleSystem();
    ParticleSystem(ParticleSystem&&) noexcept;
    ParticleSystem& operator=(ParticleSystem&&) noexcept;

    int CreateEmitter(int kind, int count);
    void DestroyEmitter(int emitter);
    bool Exists(int emitter) const;
    std::size_t EmitterCount() const { return live_.size(); }

    void SetPowerAndLifetime(int emitter, double power, double lifetimeSeconds);
    void SetLaunchSpeed(int emitter, double unitsPerSecond);
    void SetBlending(int emitter, int mode);
    void SetSpread(int emitter, glm::vec3 unitsPerSecond);
    void SetBox(int emitter, bool on, glm::vec3 from, glm::vec3 to);
    void SetColour(int emitter, Colour colour);
    void SetSprite(int emitter, std::string_view texture, float size, bool sizeChanges, glm::vec3 endScale);
    void SetDirection(int emitter, bool directed, glm::vec3 unitsPerSecond);
    void SetLooping(int emitter, bool on);
    void SetEmitting(int emitter, bool on);
    void SetPosition(int emitter, glm::vec3 position);
    void Attach(int emitter, int objectKind, int objectId);
    void SetObjectLocator(ObjectLocator locator) { locator_ = std::move(locator); }

    void Update(double frameMs);
    // Replaces the contents of both lists; emitters with nothing alive are left out.
    void Collect(std::vector<Billboard>& billboards, std::vector<EmitterDraw>& draws) const;

    // Read-backs.
    std::size_t LiveParticles(int emitter) const;
    bool IsEmitting(int emitter) const;
    bool IsLooping(int emitter) const;
    glm::vec3 Position(int emitter) const;

private:
    struct Attachment {
        int objectKind = 0;
        int objectId = 0;
        glm::vec3 offset{0.0f};
    };
    struct Slot {
        std::unique_ptr<Emitter> emitter;  // null once destroyed
        std::optional<Attachment> attachment;
    };

    Slot& SlotOf(int emitter);
    const Slot& SlotOf(int emitter) const;
    Emitter& Get(int emitter) { return *SlotOf(emitter).emitter; }
    const Emitter& Get(int emitter) const { return *SlotOf(emitter).emitter; }
    std::optional<glm::vec3> Locate(const Attachment& attachment) const;
    void FollowAttachments();

    std::vector<Slot> slots_;  // index = emitter number; 0 is never handed out
    std::vector<int> live_;    // numbers of existing emitters, ascending
    ObjectLocator locator_;
    Random random_;
};

}  // namespace kr::particles
