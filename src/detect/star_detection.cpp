#include "detect/star_detection.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <stdexcept>

namespace sextrix {
namespace {

// Gaussian FWHM over sigma: 2 sqrt(2 ln 2).
constexpr double kFwhmPerSigma = 2.3548200450309493;

struct Pixel {
    int x;
    int y;
};

class Frame {
public:
    Frame(const LuminanceImage& image, const BackgroundMap& background) : image_(image), background_(background) {}

    int width() const { return image_.width; }
    int height() const { return image_.height; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < image_.width && y < image_.height; }
    // Light above the sky.
    double signal(int x, int y) const { return image_.at(x, y) - background_.levelAt(x, y); }
    double noise(int x, int y) const { return background_.noiseAt(x, y); }
    bool saturated(int x, int y) const { return image_.at(x, y) >= image_.whiteLevel; }

    // Signal under a 3 x 3 binomial kernel: noise down by 8/3, the star
    // barely widened, so a dip between two stars is not a noise dip.
    double smoothed(int x, int y) const {
        static constexpr double kWeight[3] = {1, 2, 1};
        double sum = 0, weights = 0;
        for (int j = -1; j <= 1; ++j)
            for (int i = -1; i <= 1; ++i)
                if (inside(x + i, y + j)) {
                    const double w = kWeight[i + 1] * kWeight[j + 1];
                    sum += w * signal(x + i, y + j);
                    weights += w;
                }
        return sum / weights;
    }
    static constexpr double kSmoothedNoise = 3.0 / 8.0;

private:
    const LuminanceImage& image_;
    const BackgroundMap& background_;
};

// Pixels above the threshold, in 8-connected groups.
std::vector<std::vector<Pixel>> components(const Frame& frame, double k) {
    const int w = frame.width(), h = frame.height();
    std::vector<std::uint8_t> state(static_cast<std::size_t>(w) * h, 0);  // 1 above, 2 taken
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            // A sky without noise is one grey, which the interpolated level
            // misses by rounding: nothing stands out of it.
            const double s = frame.signal(x, y), noise = frame.noise(x, y);
            if (noise > 0 && s > k * noise) state[static_cast<std::size_t>(y) * w + x] = 1;
        }
    std::vector<std::vector<Pixel>> groups;
    std::vector<Pixel> stack;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (state[static_cast<std::size_t>(y) * w + x] != 1) continue;
            std::vector<Pixel> group;
            stack.push_back({x, y});
            state[static_cast<std::size_t>(y) * w + x] = 2;
            while (!stack.empty()) {
                const Pixel p = stack.back();
                stack.pop_back();
                group.push_back(p);
                for (int j = p.y - 1; j <= p.y + 1; ++j)
                    for (int i = p.x - 1; i <= p.x + 1; ++i) {
                        if (!frame.inside(i, j)) continue;
                        auto& s = state[static_cast<std::size_t>(j) * w + i];
                        if (s == 1) {
                            s = 2;
                            stack.push_back({i, j});
                        }
                    }
            }
            groups.push_back(std::move(group));
        }
    return groups;
}

struct Maximum {
    Pixel at;
    double height;  // smoothed signal
};

// Two maxima are separate stars when the light dips between them.
bool separate(const Frame& frame, const Maximum& a, const Maximum& b, const DetectSettings& settings) {
    const double dx = b.at.x - a.at.x, dy = b.at.y - a.at.y;
    const double distance = std::hypot(dx, dy);
    if (distance < settings.blendSeparationPx) return false;
    const int steps = static_cast<int>(std::ceil(distance * 2));
    double lowest = std::min(a.height, b.height);
    for (int s = 1; s < steps; ++s) {
        const double t = static_cast<double>(s) / steps;
        const int x = static_cast<int>(std::lround(a.at.x + t * dx));
        const int y = static_cast<int>(std::lround(a.at.y + t * dy));
        lowest = std::min(lowest, frame.smoothed(x, y));
    }
    const double fainter = std::min(a.height, b.height);
    const double dip = fainter - lowest;
    return dip > settings.blendMarginSigma * Frame::kSmoothedNoise * frame.noise(b.at.x, b.at.y) &&
           dip > settings.blendDipFraction * fainter;
}

bool blended(const Frame& frame, const std::vector<Pixel>& group, const DetectSettings& settings) {
    std::vector<Maximum> maxima;
    for (const Pixel& p : group) {
        if (frame.signal(p.x, p.y) < (settings.thresholdSigma + settings.blendMarginSigma) * frame.noise(p.x, p.y))
            continue;
        const double here = frame.smoothed(p.x, p.y);
        bool highest = true;
        for (int j = p.y - 1; j <= p.y + 1 && highest; ++j)
            for (int i = p.x - 1; i <= p.x + 1 && highest; ++i)
                if ((i != p.x || j != p.y) && frame.inside(i, j) && frame.smoothed(i, j) > here) highest = false;
        if (highest) maxima.push_back({p, here});
    }
    std::sort(maxima.begin(), maxima.end(), [](const Maximum& a, const Maximum& b) { return a.height > b.height; });
    // A saturated plateau or a flat top gives many equal maxima with no dip
    // between them: they fold into the first.
    std::vector<Maximum> kept;
    for (const Maximum& m : maxima) {
        const bool distinct =
            std::all_of(kept.begin(), kept.end(), [&](const Maximum& k) { return separate(frame, k, m, settings); });
        if (distinct) kept.push_back(m);
        if (kept.size() >= 2) return true;
    }
    return false;
}

// Gaussian-windowed centroid: each step moves by twice the window-weighted
// offset, which for a Gaussian star lands on its centre and for any
// symmetric star converges there. Noise far from the centre weighs little,
// unlike in the isophotal centroid whose pixels the threshold cut chooses.
// Moving more than maxShift from the start means the window caught
// something else: the start stays.
struct CentroidWindow {
    double sigma = 1;     // pixels
    double reach = 4;     // pixels: further out take no part
    double maxShift = 1;  // pixels
};

bool windowedCentroid(const Frame& frame, const CentroidWindow& window, int iterations, double& x, double& y) {
    const double sigma = window.sigma;
    const int reach = static_cast<int>(std::ceil(window.reach));
    double cx = x, cy = y;
    // The Gaussian window is the product of one along each axis.
    std::vector<double> wx(static_cast<std::size_t>(2 * reach + 1)), wy(wx.size());
    for (int it = 0; it < iterations; ++it) {
        double sw = 0, sx = 0, sy = 0;
        const int ix = static_cast<int>(std::lround(cx)), iy = static_cast<int>(std::lround(cy));
        for (int k = -reach; k <= reach; ++k) {
            const double dx = ix + k - cx, dy = iy + k - cy;
            wx[static_cast<std::size_t>(k + reach)] = std::exp(-dx * dx / (2 * sigma * sigma));
            wy[static_cast<std::size_t>(k + reach)] = std::exp(-dy * dy / (2 * sigma * sigma));
        }
        for (int j = iy - reach; j <= iy + reach; ++j)
            for (int i = ix - reach; i <= ix + reach; ++i) {
                if (!frame.inside(i, j)) continue;
                const double dx = i - cx, dy = j - cy;
                const double wi = wx[static_cast<std::size_t>(i - ix + reach)] *
                                  wy[static_cast<std::size_t>(j - iy + reach)] * frame.signal(i, j);
                sw += wi;
                sx += wi * dx;
                sy += wi * dy;
            }
        if (!(sw > 0)) return false;
        const double stepX = 2 * sx / sw, stepY = 2 * sy / sw;
        cx += stepX;
        cy += stepY;
        if (std::hypot(cx - x, cy - y) > window.maxShift) return false;
        // A star cut by the border keeps its own pixels' centre, on the image.
        if (cx < -0.5 || cy < -0.5 || cx > frame.width() - 0.5 || cy > frame.height() - 0.5) return false;
        if (std::hypot(stepX, stepY) < 1e-4) break;
    }
    x = cx;
    y = cy;
    return true;
}

// The largest 8-connected run of a component's pixels that are part of a
// core (clipped, or in the top half of the brightest star): the top of its
// brightest star, when a neighbour reaches the same level.
template <typename InCore>
std::vector<Pixel> largestCore(const std::vector<Pixel>& group, InCore inCore) {
    int x0 = group.front().x, y0 = group.front().y, x1 = x0, y1 = y0;
    for (const Pixel& p : group)
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;
    // 0: not clipped, 1: clipped and not yet reached, 2: reached.
    std::vector<std::uint8_t> state(static_cast<std::size_t>(w) * h, 0);
    const auto at = [&](int x, int y) -> std::uint8_t& {
        return state[static_cast<std::size_t>(y - y0) * w + (x - x0)];
    };
    for (const Pixel& p : group)
        if (inCore(p)) at(p.x, p.y) = 1;
    std::vector<Pixel> best, run, stack;
    for (const Pixel& start : group) {
        if (at(start.x, start.y) != 1) continue;
        run.clear();
        stack.assign(1, start);
        at(start.x, start.y) = 2;
        while (!stack.empty()) {
            const Pixel p = stack.back();
            stack.pop_back();
            run.push_back(p);
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int x = p.x + dx, y = p.y + dy;
                    if (x < x0 || y < y0 || x > x1 || y > y1 || at(x, y) != 1) continue;
                    at(x, y) = 2;
                    stack.push_back({x, y});
                }
        }
        if (run.size() > best.size()) best = run;
    }
    return best;
}

auto clippedIn(const Frame& frame) {
    return [&frame](const Pixel& p) { return frame.saturated(p.x, p.y); };
}

// A clipped star's flat top is as round as the star when it is small, and
// its edge, where the profile leaves the white level, still follows the
// star; the halo further out is lopsided with rings, spikes and neighbours.
// So the window is centred on the brightest clipped core, as wide as that
// core (never narrower than a sharp star's profile) and reaches just past
// its edge. The top half of the brightest star of an unclipped blend is
// its core likewise, which its neighbours do not reach.
void centreOnCore(const Frame& frame, const std::vector<Pixel>& core, int iterations, DetectedStar& star) {
    constexpr double kMinSigmaPx = 1.2, kPastEdgePx = 1.5;
    if (core.empty()) return;
    double x = 0, y = 0;
    for (const Pixel& p : core) x += p.x, y += p.y;
    star.x = x / static_cast<double>(core.size());
    star.y = y / static_cast<double>(core.size());
    const double radius = std::sqrt(static_cast<double>(core.size()) / std::numbers::pi);
    const double sigma = std::max(kMinSigmaPx, radius);
    windowedCentroid(frame, {sigma, radius + kPastEdgePx, 2 * sigma}, iterations, star.x, star.y);
}

bool measure(const Frame& frame, const std::vector<Pixel>& group, const DetectSettings& settings, DetectedStar& star) {
    double flux = 0, peak = 0;
    bool saturated = false, edge = false;
    for (const Pixel& p : group) {
        const double s = frame.signal(p.x, p.y);
        flux += s;
        peak = std::max(peak, s);
        saturated = saturated || frame.saturated(p.x, p.y);
        edge = edge || p.x == 0 || p.y == 0 || p.x == frame.width() - 1 || p.y == frame.height() - 1;
    }
    if (!(flux > 0) || peak > settings.maxPeakFraction * flux) return false;

    // A clipped core is flat: only the wings still carry the profile. But
    // the wings of a clipped blend carry its neighbours and the rings and
    // spikes that made it one, while the largest clipped core is the
    // brightest star's own and round: its middle is the centre then.
    const bool isBlend = blended(frame, group, settings);
    double sw = 0, sx = 0, sy = 0;
    if (saturated && isBlend) {
        for (const Pixel& p : largestCore(group, clippedIn(frame))) sw += 1, sx += p.x, sy += p.y;
    } else {
        for (const Pixel& p : group) {
            if (saturated && frame.saturated(p.x, p.y)) continue;
            const double s = frame.signal(p.x, p.y);
            sw += s;
            sx += s * p.x;
            sy += s * p.y;
        }
    }
    if (sw > 0) {
        star.x = sx / sw;
        star.y = sy / sw;
    } else {  // nothing but clipped pixels: their middle
        star.x = star.y = 0;
        for (const Pixel& p : group) {
            star.x += p.x;
            star.y += p.y;
        }
        star.x /= static_cast<double>(group.size());
        star.y /= static_cast<double>(group.size());
    }
    double mxx = 0, myy = 0;
    for (const Pixel& p : group) {
        const double s = frame.signal(p.x, p.y);
        mxx += s * (p.x - star.x) * (p.x - star.x);
        myy += s * (p.y - star.y) * (p.y - star.y);
    }
    star.fwhm = kFwhmPerSigma * std::sqrt(std::max(0.0, (mxx + myy) / (2 * flux)));
    star.flux = flux;
    star.peak = peak;
    star.pixelCount = static_cast<int>(group.size());
    star.flags = 0;
    if (saturated) star.flags |= StarSaturated;
    if (edge) star.flags |= StarEdge;
    if (isBlend) star.flags |= StarBlended;
    if (settings.windowIterations <= 0) return true;
    if (saturated) {
        centreOnCore(frame, largestCore(group, clippedIn(frame)), settings.windowIterations, star);
    } else if (isBlend) {
        const double half = peak / 2;
        const auto topHalf = [&](const Pixel& p) { return frame.signal(p.x, p.y) >= half; };
        centreOnCore(frame, largestCore(group, topHalf), settings.windowIterations, star);
    } else {
        const double sigma = std::clamp(star.fwhm / kFwhmPerSigma, 0.6, 10.0);
        windowedCentroid(frame, {sigma, 4 * sigma, std::max(star.fwhm, 1.0)}, settings.windowIterations, star.x,
                         star.y);
    }
    return true;
}

}  // namespace

std::vector<DetectedStar> detectStars(const LuminanceImage& image, const DetectSettings& settings) {
    checkLuminanceImage(image);
    if (image.empty()) return {};
    return detectStars(image, estimateBackground(image, settings.cellSize), settings);
}

std::vector<DetectedStar> detectStars(const LuminanceImage& image, const BackgroundMap& background,
                                      const DetectSettings& settings) {
    checkLuminanceImage(image);
    if (background.width != image.width || background.height != image.height ||
        background.level.size() != image.values.size() || background.noise.size() != image.values.size())
        throw std::invalid_argument("the background map is not the image's size");
    if (image.empty()) return {};

    const Frame frame(image, background);
    std::vector<DetectedStar> stars;
    for (const auto& group : components(frame, settings.thresholdSigma)) {
        if (static_cast<int>(group.size()) < settings.minArea) continue;
        DetectedStar star;
        if (measure(frame, group, settings, star)) stars.push_back(star);
    }
    std::stable_sort(stars.begin(), stars.end(),
                     [](const DetectedStar& a, const DetectedStar& b) { return a.flux > b.flux; });
    return stars;
}

}  // namespace sextrix
