// The scene's particle emitters: following objects, and handing their
// sprites to the frame.

#include "engine/scene/scene.hpp"

namespace kr::scene {

void Scene::ResetParticles() {
    particles_ = particles::ParticleSystem();
    particles_.SetObjectLocator([this](int generation, int slot) { return LocateObject(generation, slot); });
}

// An emitter is tied to an object by its handle: the slot and the generation
// that was live in it, so a later object in the same slot is not followed.
void Scene::AttachEmitter(int emitter, const ObjectRef& object) {
    Resolve(object.handle());
    particles_.Attach(emitter, static_cast<int>(object.handle().generation), static_cast<int>(object.handle().slot));
}

std::optional<glm::vec3> Scene::LocateObject(int generation, int slot) const {
    Handle handle{static_cast<std::uint32_t>(slot), static_cast<std::uint32_t>(generation)};
    const SceneObject* object = Lookup(handle, false);
    if (!object) return std::nullopt;
    return object->transform.position;
}

void Scene::RenderParticles() {
    std::vector<particles::Billboard>& billboards = particleScratch_.billboards;
    std::vector<particles::EmitterDraw>& draws = particleScratch_.draws;
    particles_.Collect(billboards, draws);  // reuses the lists' storage frame after frame
    if (draws.empty()) return;
    ScenePass& pass = frame_.CurrentPass(CurrentSetup());
    for (const particles::EmitterDraw& emitter : draws) {
        ParticleDraw draw;
        int texture = textures_.Has(emitter.texture) ? textures_.Id(emitter.texture) : 0;
        draw.texture = textures_.IsLoaded(texture) ? textures_.Handle(texture) : 0;
        draw.blending = emitter.blending == particles::BlendMode::Additive ? Blending::Additive : Blending::Alpha;
        draw.billboards.reserve(emitter.count);
        for (std::size_t i = emitter.first; i < emitter.first + emitter.count; ++i) {
            const particles::Billboard& b = billboards[i];
            draw.billboards.push_back(Billboard{b.position, b.size, b.colour, b.rotation});
        }
        pass.order.emplace_back(ScenePass::Kind::Particles, static_cast<std::uint32_t>(pass.particles.size()));
        pass.particles.push_back(std::move(draw));
    }
}

}  // namespace kr::scene
