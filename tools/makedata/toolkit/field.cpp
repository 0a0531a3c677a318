#include "toolkit/field.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "engine/error.hpp"

namespace kr::toolkit {
namespace {

int WrapIndex(int i, int size) {
    const int m = i % size;
    return m < 0 ? m + size : m;
}

int EdgeIndex(int i, int size, Edge edge) {
    return edge == Edge::Wrap ? WrapIndex(i, size) : std::clamp(i, 0, size - 1);
}

// Where each place of a line extended by `radius` on both sides reads
// from: entry k stands for place k - radius.
std::vector<int> ExtendedLine(int count, int radius, Edge edge) {
    std::vector<int> index(static_cast<std::size_t>(count + 2 * radius + 1));
    for (int k = 0; k < static_cast<int>(index.size()); ++k) index[k] = EdgeIndex(k - radius, count, edge);
    return index;
}

// One box pass of half-width `radius` along the rows and one down the
// columns, with running sums so that the cost does not grow with the
// radius. Columns are swept a whole row at a time to stay in cache.
void BoxPass(Field& field, Field& scratch, int radius, Edge edge) {
    const int w = field.width();
    const int h = field.height();
    const double scale = 1.0 / (2 * radius + 1);
    const std::vector<int> across = ExtendedLine(w, radius, edge);
    const std::vector<int> down = ExtendedLine(h, radius, edge);
    const float* in = field.values().data();
    float* temp = scratch.values().data();
    for (int y = 0; y < h; ++y) {
        const float* row = in + static_cast<std::ptrdiff_t>(y) * w;
        float* out = temp + static_cast<std::ptrdiff_t>(y) * w;
        double sum = 0.0;
        for (int k = 0; k <= 2 * radius; ++k) sum += row[across[k]];
        for (int x = 0; x < w; ++x) {
            out[x] = static_cast<float>(sum * scale);
            sum += row[across[x + 2 * radius + 1]] - row[across[x]];
        }
    }
    std::vector<double> sums(static_cast<std::size_t>(w), 0.0);
    const auto rowOf = [&](int k) { return temp + static_cast<std::ptrdiff_t>(down[k]) * w; };
    for (int k = 0; k <= 2 * radius; ++k) {
        const float* row = rowOf(k);
        for (int x = 0; x < w; ++x) sums[x] += row[x];
    }
    float* data = field.values().data();
    for (int y = 0; y < h; ++y) {
        float* out = data + static_cast<std::ptrdiff_t>(y) * w;
        const float* entering = rowOf(y + 2 * radius + 1);
        const float* leaving = rowOf(y);
        for (int x = 0; x < w; ++x) {
            out[x] = static_cast<float>(sums[x] * scale);
            sums[x] += entering[x] - leaving[x];
        }
    }
}

// Squared distance transform of one line (Felzenszwalb and Huttenlocher):
// out[q] = min over p of (q - p)^2 + in[p].
void DistanceLine(const std::vector<float>& in, std::vector<float>& out, std::vector<int>& hull,
                  std::vector<float>& bounds) {
    const int n = static_cast<int>(in.size());
    constexpr float kInf = std::numeric_limits<float>::infinity();
    int k = 0;
    hull[0] = 0;
    bounds[0] = -kInf;
    bounds[1] = kInf;
    const auto meet = [&](int q, int p) {
        return ((in[q] + static_cast<float>(q) * q) - (in[p] + static_cast<float>(p) * p)) / (2.0f * (q - p));
    };
    for (int q = 1; q < n; ++q) {
        if (in[q] == kInf) continue;
        if (in[hull[k]] == kInf) {
            hull[k] = q;
            continue;
        }
        float s = meet(q, hull[k]);
        while (k > 0 && s <= bounds[k]) s = meet(q, hull[--k]);
        hull[++k] = q;
        bounds[k] = s;
        bounds[k + 1] = kInf;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (bounds[k + 1] < q) ++k;
        const float d = static_cast<float>(q - hull[k]);
        out[q] = in[hull[k]] == kInf ? kInf : d * d + in[hull[k]];
    }
}

}  // namespace

Field::Field(int width, int height, float value)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      values_(static_cast<std::size_t>(width_) * height_, value) {}

float Field::At(int x, int y, Edge edge) const {
    return At(EdgeIndex(x, width_, edge), EdgeIndex(y, height_, edge));
}

float Field::Sample(float x, float y, Edge edge) const {
    const float fx = x - 0.5f;
    const float fy = y - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - x0;
    const float ty = fy - y0;
    const float top = At(x0, y0, edge) + (At(x0 + 1, y0, edge) - At(x0, y0, edge)) * tx;
    const float bottom = At(x0, y0 + 1, edge) + (At(x0 + 1, y0 + 1, edge) - At(x0, y0 + 1, edge)) * tx;
    return top + (bottom - top) * ty;
}

void CheckSameSize(const Field& a, const Field& b, const char* what) {
    if (a.width() != b.width() || a.height() != b.height()) {
        throw Error(std::string(what) + ": fields differ in size (" + std::to_string(a.width()) + "x" +
                    std::to_string(a.height()) + " and " + std::to_string(b.width()) + "x" +
                    std::to_string(b.height()) + ")");
    }
}

void Normalise(Field& field, float low, float high) {
    if (field.values().empty()) return;
    const auto [lo, hi] = std::minmax_element(field.values().begin(), field.values().end());
    const float min = *lo;
    const float range = *hi - *lo;
    const float scale = range > 0.0f ? (high - low) / range : 0.0f;
    field.Apply([&](float v) { return low + (v - min) * scale; });
}

Field Blurred(const Field& field, float sigma, Edge edge) {
    Field out = field;
    // Three boxes of width w have the variance of a Gaussian with
    // sigma^2 = (w^2 - 1) / 4.
    const int radius = static_cast<int>(std::lround((std::sqrt(4.0f * sigma * sigma + 1.0f) - 1.0f) * 0.5f));
    if (radius <= 0 || out.values().empty()) return out;
    Field scratch(field.width(), field.height());
    for (int pass = 0; pass < 3; ++pass) BoxPass(out, scratch, radius, edge);
    return out;
}

Field DistanceInside(const Field& mask) {
    const int w = mask.width();
    const int h = mask.height();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    Field squared(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) squared.At(x, y) = mask.At(x, y) >= 0.5f ? kInf : 0.0f;
    const int n = std::max(w, h);
    std::vector<float> in(n), out(n), bounds(n + 1);
    std::vector<int> hull(n);
    const auto pass = [&](int count, auto get, auto set) {
        in.resize(count);
        out.resize(count);
        for (int i = 0; i < count; ++i) in[i] = get(i);
        DistanceLine(in, out, hull, bounds);
        for (int i = 0; i < count; ++i) set(i, out[i]);
    };
    for (int x = 0; x < w; ++x)
        pass(h, [&](int y) { return squared.At(x, y); }, [&](int y, float v) { squared.At(x, y) = v; });
    for (int y = 0; y < h; ++y)
        pass(w, [&](int x) { return squared.At(x, y); }, [&](int x, float v) { squared.At(x, y) = v; });
    // A mask with no outside texel at all is treated as bounded by the frame.
    return squared.Apply([&](float v) { return v == kInf ? static_cast<float>(n) : std::sqrt(v); });
}

}  // namespace kr::toolkit
