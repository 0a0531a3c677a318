#pragma once
// The particle sprites: soft glowing billboards for smoke, fire, explosions,
// engine glow, shock rings, stars and sparkles. Straight alpha, each with a
// full mipmap chain; the game loads them keeping their own alpha.

#include <string>
#include <vector>

#include "engine/image/image.hpp"
#include "output_folder.hpp"

namespace kr::makedata {

struct ParticleSprite {
    std::string file;  // game-folder name, e.g. "graphics\smoke.dds"
    image::Image picture;
};

// Every sprite, rendered; the same pictures on every run.
std::vector<ParticleSprite> RenderParticleSprites();

// A sprite as stored: uncompressed DDS with every mipmap level (block
// compression bands soft gradients this small).
Bytes EncodeParticleSprite(const image::Image& picture);

inline void WriteParticleSprites(OutputFolder& out) {
    for (const ParticleSprite& sprite : RenderParticleSprites()) out.Write(sprite.file, EncodeParticleSprite(sprite.picture));
}

}  // namespace kr::makedata
