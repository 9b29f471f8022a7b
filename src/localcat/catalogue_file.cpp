#include "catalogue_file.h"

#include <algorithm>
#include <cstring>

namespace sextrix {
namespace {

template <class T>
void put(std::array<std::uint8_t, kCatalogueHeaderBytes>& bytes, std::size_t at, T value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

template <class T>
T get(const std::array<std::uint8_t, kCatalogueHeaderBytes>& bytes, std::size_t at) {
    T value;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

constexpr int kMaxOrder = 10;

}  // namespace

std::array<std::uint8_t, kCatalogueHeaderBytes> encodeHeader(const CatalogueHeader& header) {
    std::array<std::uint8_t, kCatalogueHeaderBytes> bytes{};
    std::memcpy(bytes.data(), kCatalogueMagic, sizeof kCatalogueMagic);
    put(bytes, 8, static_cast<std::uint32_t>(header.order));
    put(bytes, 12, static_cast<std::uint32_t>(header.source));
    put(bytes, 16, header.epoch);
    put(bytes, 24, header.stars);
    return bytes;
}

Outcome<CatalogueHeader> decodeHeader(const std::array<std::uint8_t, kCatalogueHeaderBytes>& bytes) {
    if (!std::equal(kCatalogueMagic, kCatalogueMagic + 7, bytes.begin()))
        return Outcome<CatalogueHeader>::refused("not a local star catalogue");
    if (bytes[7] != static_cast<std::uint8_t>(kCatalogueMagic[7]))
        return Outcome<CatalogueHeader>::refused("a local star catalogue of another version");
    CatalogueHeader header;
    const auto order = get<std::uint32_t>(bytes, 8), source = get<std::uint32_t>(bytes, 12);
    if (order > kMaxOrder) return Outcome<CatalogueHeader>::refused("a tile order this program does not know");
    if (source > static_cast<std::uint32_t>(LocalSource::Tycho2))
        return Outcome<CatalogueHeader>::refused("a source catalogue this program does not know");
    header.order = static_cast<int>(order);
    header.source = static_cast<LocalSource>(source);
    header.epoch = get<double>(bytes, 16);
    header.stars = get<std::uint64_t>(bytes, 24);
    return header;
}

std::uint64_t tileCountOf(int order) { return 12ull << (2 * order); }

std::uint64_t indexOffset() { return kCatalogueHeaderBytes; }

std::uint64_t starsOffset(int order) { return indexOffset() + (tileCountOf(order) + 1) * 8; }

}  // namespace sextrix
