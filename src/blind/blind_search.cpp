#include "blind_search.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "blind/sky_vectors.h"

namespace sextrix {
namespace {

using Complex = std::complex<double>;

struct ImageQuad {
    std::array<int, 4> stars;  // into the image stars
    int last = 0;              // the faintest of them: quads of brighter stars first
};

// Quads of the brightest stars, each pair (A, B) with C and D among the
// brightest inside the circle on AB, the brightest quads first.
std::vector<ImageQuad> imageQuads(const std::vector<PlanePoint>& stars, const BlindSettings& settings, double minPx,
                                  double maxPx) {
    const int n = std::min<int>(settings.imageStars, static_cast<int>(stars.size()));
    std::vector<ImageQuad> quads;
    for (int a = 0; a < n; ++a)
        for (int b = a + 1; b < n; ++b) {
            const Complex pa(stars[a].x, stars[a].y), pb(stars[b].x, stars[b].y);
            const double d = std::abs(pb - pa);
            if (d < minPx || d > maxPx) continue;
            const Complex mid = (pa + pb) / 2.0;
            std::vector<int> inside;
            for (int c = 0; c < n && static_cast<int>(inside.size()) < settings.insidePerPair; ++c)
                if (c != a && c != b && std::abs(Complex(stars[c].x, stars[c].y) - mid) < d / 2) inside.push_back(c);
            for (std::size_t i = 0; i < inside.size(); ++i)
                for (std::size_t j = i + 1; j < inside.size(); ++j)
                    quads.push_back({{a, b, inside[i], inside[j]}, std::max({b, inside[i], inside[j]})});
        }
    std::stable_sort(quads.begin(), quads.end(),
                     [](const ImageQuad& x, const ImageQuad& y) { return x.last < y.last; });
    return quads;
}

// Whether `matches` of `tries` points, each near an image star by chance
// with probability p, are beyond chance: the binomial tail at or above
// them under `limit`.
bool beyondChance(int matches, int tries, double p, double limit) {
    if (matches <= 0) return false;
    if (tries <= 0 || p <= 0) return true;
    // Terms k = matches.. of C(tries, k) p^k (1-p)^(tries-k), in logarithms.
    double tail = 0;
    for (int k = matches; k <= tries; ++k) {
        const double term = std::exp(std::lgamma(tries + 1.0) - std::lgamma(k + 1.0) - std::lgamma(tries - k + 1.0) +
                                     k * std::log(p) + (tries - k) * std::log1p(-p));
        tail += term;
        if (term < tail * 1e-6) break;
    }
    return tail < limit;
}

// Where the image stars fall, looked up in a grid of cells matchRadius wide.
class StarGrid {
public:
    StarGrid(const std::vector<PlanePoint>& stars, double cell) : cell_(cell) {
        for (std::size_t i = 0; i < stars.size(); ++i) cells_[key(stars[i].x, stars[i].y)].push_back(stars[i]);
    }
    bool near(double x, double y, double radius) const {
        const long cx = static_cast<long>(std::floor(x / cell_)), cy = static_cast<long>(std::floor(y / cell_));
        for (long i = cx - 1; i <= cx + 1; ++i)
            for (long j = cy - 1; j <= cy + 1; ++j)
                if (const auto it = cells_.find(i * 1000003 + j); it != cells_.end())
                    for (const PlanePoint& p : it->second)
                        if (std::hypot(p.x - x, p.y - y) <= radius) return true;
        return false;
    }

private:
    long key(double x, double y) const {
        return static_cast<long>(std::floor(x / cell_)) * 1000003 + static_cast<long>(std::floor(y / cell_));
    }
    double cell_;
    std::unordered_map<long, std::vector<PlanePoint>> cells_;
};

}  // namespace

BlindStats blindSearch(const std::vector<PlanePoint>& imageStars, int width, int height, const BlindIndex& index,
                       const BlindSettings& settings, const std::function<bool(const BlindCandidate&)>& accept) {
    BlindStats stats;
    double largestDeg = 0, smallestDeg = 1e9;
    for (std::size_t b = 0; b < index.bandCount(); ++b) {
        largestDeg = std::max(largestDeg, index.band(static_cast<int>(b)).maxQuadDeg);
        smallestDeg = std::min(smallestDeg, index.band(static_cast<int>(b)).minQuadDeg);
    }
    // Image pairs whose size, at some scale of the range, is one of the index's.
    const double minPx = smallestDeg * 3600 / settings.maxArcsecPerPx,
                 maxPx = largestDeg * 3600 / settings.minArcsecPerPx;
    const StarGrid grid({imageStars.begin(),
                         imageStars.begin() + std::min<std::ptrdiff_t>(settings.matchedImageStars,
                                                                       static_cast<std::ptrdiff_t>(imageStars.size()))},
                        settings.matchRadiusPx);
    const Complex centrePx((width - 1) / 2.0, (height - 1) / 2.0);
    // The chance that a point of the image falls near one of the grid's stars.
    const double chancePerStar = std::min(
        1.0, std::min<double>(settings.matchedImageStars, static_cast<double>(imageStars.size())) * std::numbers::pi *
                 settings.matchRadiusPx * settings.matchRadiusPx / (double(width) * height));
    const double halfDiagonalPx = std::hypot(width, height) / 2;

    for (const ImageQuad& quad : imageQuads(imageStars, settings, minPx, maxPx)) {
        std::array<PlanePoint, 4> points;
        for (int k = 0; k < 4; ++k) points[k] = imageStars[quad.stars[k]];
        const std::optional<CodedQuad> coded = codeOf(points);
        if (!coded) continue;
        ++stats.quadsTried;
        const double px = std::hypot(points[coded->order[1]].x - points[coded->order[0]].x,
                                     points[coded->order[1]].y - points[coded->order[0]].y);
        const double minDeg = px * settings.minArcsecPerPx / 3600, maxDeg = px * settings.maxArcsecPerPx / 3600;
        for (const bool mirrored : {false, true}) {
            const CodedQuad looked = mirrored ? mirroredCode(*coded) : *coded;
            for (const QuadMatch& match : index.near(looked.code, minDeg, maxDeg, settings.codeRadius)) {
                ++stats.codeMatches;
                const std::optional<std::array<IndexStar, 4>> four = index.quadStars(match);
                if (!four) continue;
                std::array<SkyVector, 4> sky;
                for (int k = 0; k < 4; ++k) sky[k] = skyVector((*four)[k].raDeg, (*four)[k].decDeg);
                const double skyDeg = separationDeg(sky[0], sky[1]);
                if (skyDeg < minDeg || skyDeg > maxDeg) continue;
                // The similarity pixel -> plane about the quad's middle, by least
                // squares over the four pairs (the pixels conjugated when mirrored).
                SkyVector mid{};
                for (const SkyVector& v : sky)
                    for (int i = 0; i < 3; ++i) mid[i] += v[i];
                const double midNorm = std::sqrt(dot(mid, mid));
                for (double& v : mid) v /= midNorm;
                const TangentPlane plane(mid);
                std::array<Complex, 4> p, w;
                Complex pMean, wMean;
                for (int k = 0; k < 4; ++k) {
                    const PlanePoint& image = points[looked.order[k]];
                    p[k] = mirrored ? Complex(image.x, -image.y) : Complex(image.x, image.y);
                    const PlanePoint onPlane = plane.project(sky[k]);
                    w[k] = Complex(onPlane.x, onPlane.y);
                    pMean += p[k] / 4.0, wMean += w[k] / 4.0;
                }
                Complex num, den;
                for (int k = 0; k < 4; ++k) {
                    num += (w[k] - wMean) * std::conj(p[k] - pMean);
                    den += std::norm(p[k] - pMean);
                }
                const Complex alpha = num / den, beta = wMean - alpha * pMean;
                const auto toPlane = [&](double x, double y) {
                    return alpha * (mirrored ? Complex(x, -y) : Complex(x, y)) + beta;
                };
                const auto toPixel = [&](const Complex& onPlane) {
                    const Complex q = (onPlane - beta) / alpha;
                    return mirrored ? std::conj(q) : q;
                };
                // The image's centre on the sky, and the index stars on the image.
                const Complex c = toPlane(centrePx.real(), centrePx.imag());
                SkyVector centre{};
                for (int i = 0; i < 3; ++i)
                    centre[i] = plane.c[i] + c.real() * kRadiansPerDegree * plane.east[i] +
                                c.imag() * kRadiansPerDegree * plane.north[i];
                const double norm = std::sqrt(dot(centre, centre));
                for (double& v : centre) v /= norm;
                BlindCandidate candidate;
                candidate.centreRaDeg = std::fmod(std::atan2(centre[1], centre[0]) / kRadiansPerDegree + 360, 360);
                candidate.centreDecDeg = std::asin(centre[2]) / kRadiansPerDegree;
                candidate.arcsecPerPx = std::abs(alpha) * 3600;
                candidate.mirrored = mirrored;
                // Up on the image is -y: its direction on the plane, east of north.
                const Complex up = toPlane(centrePx.real(), centrePx.imag() - 1) - c;
                candidate.upPositionAngleDeg = std::atan2(up.real(), up.imag()) / kRadiansPerDegree;
                const double fieldDeg = halfDiagonalPx * std::abs(alpha);
                int onImage = 0;
                for (const std::uint32_t s :
                     index.starsNear(match.band, candidate.centreRaDeg, candidate.centreDecDeg, fieldDeg)) {
                    const IndexStar star = index.star(match.band, s);
                    const PlanePoint onPlane = plane.project(skyVector(star.raDeg, star.decDeg));
                    const Complex at = toPixel(Complex(onPlane.x, onPlane.y));
                    if (at.real() < 0 || at.imag() < 0 || at.real() > width - 1 || at.imag() > height - 1) continue;
                    ++onImage;
                    if (grid.near(at.real(), at.imag(), settings.matchRadiusPx)) ++candidate.matches;
                }
                if (candidate.matches < settings.minMatches ||
                    !beyondChance(candidate.matches - 4, onImage - 4, chancePerStar, settings.chanceLimit))
                    continue;
                ++stats.candidates;
                if (accept(candidate) || stats.candidates >= settings.maxCandidates) return stats;
            }
        }
    }
    return stats;
}

}  // namespace sextrix
