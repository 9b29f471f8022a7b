#include "star_record.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace sextrix {
namespace {

static_assert(std::endian::native == std::endian::little, "the catalogue file is read as little-endian");

template <class T>
void put(StarRecord& record, std::size_t at, T value) {
    std::memcpy(record.data() + at, &value, sizeof value);
}

template <class T>
T get(const StarRecord& record, std::size_t at) {
    T value;
    std::memcpy(&value, record.data() + at, sizeof value);
    return value;
}

template <class T>
T scaled(const std::optional<double>& value, double unit, const char* what) {
    if (!value) return std::numeric_limits<T>::min();
    const double v = std::round(*value / unit);
    if (!(v > std::numeric_limits<T>::min() && v <= std::numeric_limits<T>::max()))
        throw std::invalid_argument(std::string(what) + " out of range");
    return static_cast<T>(v);
}

template <class T>
std::optional<double> unscaled(T value, double unit) {
    if (value == std::numeric_limits<T>::min()) return std::nullopt;
    return value * unit;
}

constexpr double kMasPerDegree = 3.6e6;

}  // namespace

StarRecord packStar(const LocalStar& star) {
    if (!(star.raDeg >= 0 && star.raDeg < 360) || !(std::abs(star.decDeg) <= 90))
        throw std::invalid_argument("a position out of range");
    StarRecord record{};
    put(record, 0, star.id);
    put(record, 8, static_cast<std::uint32_t>(std::llround(star.raDeg * kMasPerDegree) % 1296000000));
    put(record, 12, static_cast<std::int32_t>(std::llround(star.decDeg * kMasPerDegree)));
    put(record, 16, scaled<std::int32_t>(star.pmRaCosDecMasPerYear, 1e-3, "a proper motion"));
    put(record, 20, scaled<std::int32_t>(star.pmDecMasPerYear, 1e-3, "a proper motion"));
    put(record, 24, scaled<std::int16_t>(star.magR, 1e-3, "a magnitude"));
    put(record, 26, scaled<std::int16_t>(star.magB, 1e-3, "a magnitude"));
    return record;
}

LocalStar unpackStar(const StarRecord& record) {
    LocalStar star;
    star.id = get<std::int64_t>(record, 0);
    star.raDeg = get<std::uint32_t>(record, 8) / kMasPerDegree;
    star.decDeg = get<std::int32_t>(record, 12) / kMasPerDegree;
    star.pmRaCosDecMasPerYear = unscaled(get<std::int32_t>(record, 16), 1e-3);
    star.pmDecMasPerYear = unscaled(get<std::int32_t>(record, 20), 1e-3);
    star.magR = unscaled(get<std::int16_t>(record, 24), 1e-3);
    star.magB = unscaled(get<std::int16_t>(record, 26), 1e-3);
    return star;
}

}  // namespace sextrix
