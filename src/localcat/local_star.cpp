#include "local_star.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>

namespace sextrix {
namespace {

struct SourceFacts {
    LocalSource source;
    std::string_view name;
    double epoch;
};

constexpr SourceFacts kSources[] = {{LocalSource::UsnoA2, "USNO-A2.0", 2000.0},
                                    {LocalSource::Ucac4, "UCAC4", 2000.0},
                                    {LocalSource::GaiaDr3, "Gaia DR3", 2016.0},
                                    {LocalSource::Tycho2, "Tycho-2", 2000.0}};

const SourceFacts& factsOf(LocalSource source) {
    for (const SourceFacts& f : kSources)
        if (f.source == source) return f;
    return kSources[0];
}

// Whole numbers separated by '-', each within its limit; nothing else.
template <std::size_t N>
std::optional<std::array<std::int64_t, N>> dashedNumbers(std::string_view text,
                                                         const std::array<std::int64_t, N>& limits) {
    std::array<std::int64_t, N> parts{};
    const char* at = text.data();
    const char* end = text.data() + text.size();
    for (std::size_t k = 0; k < N; ++k) {
        if (k > 0) {
            if (at == end || *at != '-') return std::nullopt;
            ++at;
        }
        const auto [next, error] = std::from_chars(at, end, parts[k]);
        if (error != std::errc() || next == at || parts[k] < 0 || parts[k] > limits[k]) return std::nullopt;
        at = next;
    }
    if (at != end) return std::nullopt;
    return parts;
}

}  // namespace

std::string_view localSourceName(LocalSource source) { return factsOf(source).name; }

std::optional<LocalSource> localSourceNamed(std::string_view name) {
    for (const SourceFacts& f : kSources)
        if (f.name == name) return f.source;
    return std::nullopt;
}

double localEpoch(LocalSource source) { return factsOf(source).epoch; }

std::string localIdText(LocalSource source, std::int64_t id) {
    char text[32];
    switch (source) {
        case LocalSource::UsnoA2:
            std::snprintf(text, sizeof text, "%04lld-%08lld", static_cast<long long>(id / 100000000),
                          static_cast<long long>(id % 100000000));
            break;
        case LocalSource::Ucac4:
            std::snprintf(text, sizeof text, "%03lld-%06lld", static_cast<long long>(id / 1000000),
                          static_cast<long long>(id % 1000000));
            break;
        case LocalSource::GaiaDr3: std::snprintf(text, sizeof text, "%lld", static_cast<long long>(id)); break;
        case LocalSource::Tycho2:
            std::snprintf(text, sizeof text, "%lld-%lld-%lld", static_cast<long long>(id / 1000000),
                          static_cast<long long>(id / 10 % 100000), static_cast<long long>(id % 10));
            break;
    }
    return text;
}

std::optional<std::int64_t> localIdOf(LocalSource source, std::string_view designation) {
    switch (source) {
        case LocalSource::UsnoA2:
            if (const auto p = dashedNumbers<2>(designation, {9999, 99999999})) return (*p)[0] * 100000000 + (*p)[1];
            break;
        case LocalSource::Ucac4:
            if (const auto p = dashedNumbers<2>(designation, {999, 999999})) return (*p)[0] * 1000000 + (*p)[1];
            break;
        case LocalSource::GaiaDr3:
            if (const auto p = dashedNumbers<1>(designation, {INT64_MAX})) return (*p)[0];
            break;
        case LocalSource::Tycho2:
            if (const auto p = dashedNumbers<3>(designation, {9999, 99999, 9}))
                return ((*p)[0] * 100000 + (*p)[1]) * 10 + (*p)[2];
            break;
    }
    return std::nullopt;
}

}  // namespace sextrix
