#include "fits/fits_image.h"

#include <fitsio.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <stdexcept>
#include <vector>

#include "state/text_lines.h"

namespace sextrix {
namespace {

std::string cfitsioText(int status) {
    char text[FLEN_STATUS] = {};
    fits_get_errstatus(status, text);
    fits_clear_errmsg();
    return text;
}

// Why the file is refused; thrown inside the reader only, and returned as
// its ReadError.
struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(const std::string& what) { throw Refusal(what); }

// Closes the file however the reading ends.
class OpenFits {
public:
    ~OpenFits() {
        if (file) {
            int status = 0;
            fits_close_file(file, &status);
        }
    }
    fitsfile* file = nullptr;
};

bool startsWithSimple(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char head[9] = {};
    in.read(head, sizeof head);
    return in.gcount() == sizeof head && std::string(head, sizeof head) == "SIMPLE  =";
}

std::string sizeText(long long width, long long height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

bool isGzip(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char magic[2] = {};
    in.read(reinterpret_cast<char*>(magic), 2);
    return in.gcount() == 2 && magic[0] == 0x1f && magic[1] == 0x8b;
}

// The size a gzip file inflates to, from its trailer (modulo 4 GiB).
std::uint64_t inflatedSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (in.tellg() < 4) return 0;
    in.seekg(-4, std::ios::end);
    unsigned char size[4] = {};
    in.read(reinterpret_cast<char*>(size), 4);
    return size[0] | size[1] << 8 | size[2] << 16 | static_cast<std::uint64_t>(size[3]) << 24;
}

// The most a picture we read can take in the file: 8 bytes a pixel, three
// planes, and headers around it.
constexpr std::uint64_t kMaxFitsBytes = 3 * 8 * static_cast<std::uint64_t>(kMaxFitsPixels) + (1 << 20);

// cfitsio inflates a compressed file whole when it opens it. Before that,
// its trailer's inflated size and the axes its first header claims are
// checked, reading that header alone.
void checkCompressed(const std::string& path) {
    if (inflatedSize(path) > kMaxFitsBytes) fail("the compressed file inflates beyond what an image can take");
    gzFile in = gzopen(path.c_str(), "rb");
    if (!in) fail("cannot open the compressed file");
    long long axes[3] = {1, 1, 1};
    char card[81] = {};
    for (int n = 0; n < 36 * 36 && gzread(in, card, 80) == 80; ++n) {
        const std::string_view key(card, 8);
        if (key.starts_with("END ")) break;
        for (int k = 0; k < 3; ++k)
            if (key == "NAXIS" + std::to_string(k + 1) + "  " && card[8] == '=') axes[k] = std::atoll(card + 10);
    }
    gzclose(in);
    if (axes[0] > 65535 || axes[1] > 65535 || axes[0] * axes[1] > kMaxFitsPixels)
        fail("the compressed image is too large (" + sizeText(axes[0], axes[1]) + " pixels)");
}

// The pixels the header claims must be in the file before room is made for
// them: a short file claiming a huge image is refused without allocating it.
void checkDataInFile(fitsfile* file, const std::string& path, bool compressed, long long width, long long height,
                     int planes, int bitpix) {
    LONGLONG headStart = 0, dataStart = 0, dataEnd = 0;
    int status = 0;
    if (fits_get_hduaddrll(file, &headStart, &dataStart, &dataEnd, &status)) return;
    const std::uint64_t held = compressed ? inflatedSize(path) : std::filesystem::file_size(path);
    const std::uint64_t needed =
        static_cast<std::uint64_t>(dataStart) + static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) *
                                                    static_cast<std::uint64_t>(planes) *
                                                    static_cast<std::uint64_t>(std::abs(bitpix) / 8);
    if (needed > held)
        fail("the file is cut short: its header claims " + sizeText(width, height) + " pixels, " +
             std::to_string(needed) + " bytes with the headers, and it holds " + std::to_string(held));
}

// A keyword's number, or nothing when the header lacks it or holds no number.
std::optional<double> numberKey(fitsfile* file, const char* name) {
    int status = 0;
    double value = 0;
    fits_read_key(file, TDOUBLE, name, &value, nullptr, &status);
    if (status != 0) {
        fits_clear_errmsg();
        return std::nullopt;
    }
    return std::isfinite(value) ? std::optional(value) : std::nullopt;
}

// The largest physical value the stored integer type can hold.
std::optional<double> integerTypeMaximum(fitsfile* file, int bitpix) {
    double rawMin = 0, rawMax = 0;
    switch (bitpix) {
        case BYTE_IMG: rawMin = 0, rawMax = 255; break;
        case SHORT_IMG: rawMin = -32768, rawMax = 32767; break;
        case LONG_IMG: rawMin = -2147483648.0, rawMax = 2147483647.0; break;
        case LONGLONG_IMG: rawMin = -9.223372036854775808e18, rawMax = 9.223372036854775807e18; break;
        default: return std::nullopt;
    }
    const double zero = numberKey(file, "BZERO").value_or(0);
    const double scale = numberKey(file, "BSCALE").value_or(1);
    return std::max(zero + scale * rawMin, zero + scale * rawMax);
}

void readPlane(fitsfile* file, long long width, long long height, int plane, float* into) {
    int status = 0;
    LONGLONG first[3] = {1, 1, plane};
    float undefined = std::numeric_limits<float>::quiet_NaN();
    int anyUndefined = 0;
    fits_read_pixll(file, TFLOAT, first, width * height, &undefined, into, &anyUndefined, &status);
    if (status == END_OF_FILE || status == READ_ERROR)
        fail("the file is cut short: its data end before the " + sizeText(width, height) + " pixels");
    if (status != 0) fail("cannot read the pixels (cfitsio: " + cfitsioText(status) + ")");
}

// FITS row 1 comes first in the file; the picture's top row is the last one.
void flipRows(std::vector<float>& values, int width, int height) {
    for (int y = 0; y < height / 2; ++y) {
        const int mirror = fitsRowOfPictureRow(y, height) - 1;
        std::swap_ranges(values.begin() + static_cast<std::ptrdiff_t>(y) * width,
                         values.begin() + static_cast<std::ptrdiff_t>(y + 1) * width,
                         values.begin() + static_cast<std::ptrdiff_t>(mirror) * width);
    }
}

int fillUndefined(std::vector<float>& values) {
    std::vector<float> defined;
    int blanks = 0;
    for (float v : values) blanks += std::isfinite(v) ? 0 : 1;
    if (blanks == 0) return 0;
    defined.reserve(values.size() - blanks);
    for (float v : values)
        if (std::isfinite(v)) defined.push_back(v);
    if (defined.empty()) fail("every pixel of the image is undefined (NaN or BLANK)");
    const auto middle = defined.begin() + static_cast<std::ptrdiff_t>(defined.size() / 2);
    std::nth_element(defined.begin(), middle, defined.end());
    const float median = *middle;
    for (float& v : values)
        if (!std::isfinite(v)) v = median;
    return blanks;
}

// Every keyword of the current HDU that `into` does not hold yet.
void addKeywords(fitsfile* file, std::map<std::string, std::string>& into) {
    int status = 0, count = 0;
    if (fits_get_hdrspace(file, &count, nullptr, &status)) return;
    for (int k = 1; k <= count; ++k) {
        char name[FLEN_KEYWORD] = {}, value[FLEN_VALUE] = {}, comment[FLEN_COMMENT] = {};
        if (fits_read_keyn(file, k, name, value, comment, &status)) return;
        std::string text = value;
        if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'') {
            std::string inner;
            for (std::size_t i = 1; i + 1 < text.size(); ++i) {
                inner += text[i];
                if (text[i] == '\'' && text[i + 1] == '\'') ++i;  // '' is a quote
            }
            text = inner;
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        if (*name != '\0') into.emplace(name, text);
    }
}

}  // namespace

bool isFitsFile(const std::string& path) {
    const std::string extension = asciiLower(std::filesystem::path(path).extension().string());
    if (extension == ".fits" || extension == ".fit" || extension == ".fts") return true;
    return startsWithSimple(path);
}

namespace {

FitsImage readImage(const std::string& path) {
    const bool compressed = isGzip(path);
    if (compressed) checkCompressed(path);
    OpenFits fits;
    int status = 0;
    // The disk-file opener takes the name as it is: no brackets or URLs
    // interpreted, so any file name works.
    if (fits_open_diskfile(&fits.file, path.c_str(), READONLY, &status)) {
        const std::string why = cfitsioText(status);
        fits.file = nullptr;
        if (!startsWithSimple(path)) fail("not a FITS file (it does not start with SIMPLE  =)");
        fail("unreadable FITS header (cfitsio: " + why + ")");
    }
    int hduCount = 0;
    fits_get_num_hdus(fits.file, &hduCount, &status);
    FitsImage result;
    std::array<LONGLONG, 9> axes{};
    int naxis = 0;
    bool found = false;
    for (int hdu = 1; hdu <= hduCount && !found; ++hdu) {
        int type = 0;
        if (fits_movabs_hdu(fits.file, hdu, &type, &status)) {
            if (status == END_OF_FILE || status == READ_ERROR)
                fail("the file is cut short in HDU " + std::to_string(hdu));
            fail("cannot read HDU " + std::to_string(hdu) + " (cfitsio: " + cfitsioText(status) + ")");
        }
        if (type != IMAGE_HDU) continue;
        if (fits_get_img_paramll(fits.file, static_cast<int>(axes.size()), &result.bitpix, &naxis, axes.data(),
                                 &status))
            fail("cannot read the image header of HDU " + std::to_string(hdu) + " (cfitsio: " + cfitsioText(status) +
                 ")");
        const bool empty = naxis == 0 || std::any_of(axes.begin(), axes.begin() + std::min(naxis, 9),
                                                     [](LONGLONG n) { return n == 0; });
        if (empty) continue;
        result.hdu = hdu;
        found = true;
    }
    if (!found) fail("the FITS file holds no image");
    addKeywords(fits.file, result.keywords);
    if (result.hdu != 1) {
        int type = 0;
        if (fits_movabs_hdu(fits.file, 1, &type, &status) == 0) addKeywords(fits.file, result.keywords);
        status = 0;
        fits_movabs_hdu(fits.file, result.hdu, &type, &status);
    }
    if (naxis == 1) fail("the image has one axis only (" + std::to_string(axes[0]) + " values), not a picture");
    const long long width = axes[0], height = axes[1];
    for (int k = 3; k < std::min(naxis, 9); ++k)
        if (axes[k] != 1) fail("the image has " + std::to_string(naxis) + " axes; 2 or 3 are read");
    if (width > 65535 || height > 65535 || width * height > kMaxFitsPixels)
        fail("the image is too large (" + sizeText(width, height) + " pixels)");
    result.planes = naxis >= 3 ? static_cast<int>(axes[2]) : 1;
    checkDataInFile(fits.file, path, compressed, width, height, result.planes == 3 ? 3 : 1, result.bitpix);

    const auto count = static_cast<std::size_t>(width * height);
    std::vector<float> values(count);
    if (result.planes == 3) {
        constexpr float kWeights[3] = {0.299f, 0.587f, 0.114f};
        std::vector<float> plane(count);
        std::fill(values.begin(), values.end(), 0.0f);
        for (int p = 0; p < 3; ++p) {
            readPlane(fits.file, width, height, p + 1, plane.data());
            for (std::size_t k = 0; k < count; ++k) values[k] += kWeights[p] * plane[k];
        }
    } else {
        readPlane(fits.file, width, height, 1, values.data());
    }
    result.blankPixels = fillUndefined(values);
    flipRows(values, static_cast<int>(width), static_cast<int>(height));

    std::optional<double> white = numberKey(fits.file, "DATAMAX");
    if (!white) white = numberKey(fits.file, "SATURATE");
    if (!white) white = integerTypeMaximum(fits.file, result.bitpix);
    if (!white) white = *std::max_element(values.begin(), values.end());
    if (!(std::abs(*white) < std::numeric_limits<float>::max())) fail("the white level is beyond a float");

    result.image = LuminanceImage{static_cast<int>(width), static_cast<int>(height), std::move(values),
                                  static_cast<float>(*white)};
    return result;
}

}  // namespace

Result<FitsImage> readFitsImage(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return ReadError{.file = path, .fault = FileFault::NotFound};
    try {
        return readImage(path);
    } catch (const Refusal& refusal) {
        return ReadError{.file = path, .cause = refusal.what()};
    } catch (const std::filesystem::filesystem_error& e) {
        return ReadError{.file = path, .cause = e.code().message(), .fault = FileFault::CannotRead};
    }
}

void writeFits16(const std::string& path, const LuminanceImage& image,
                 const std::vector<std::pair<std::string, std::string>>& keywords) {
    if (image.width <= 0 || image.height <= 0 ||
        image.values.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height))
        fail("writeFits16: the image is empty or its values do not fill it");
    std::vector<unsigned short> stored(image.values.size());
    for (int y = 0; y < image.height; ++y) {
        const std::size_t row = static_cast<std::size_t>(fitsRowOfPictureRow(y, image.height) - 1) * image.width;
        for (int x = 0; x < image.width; ++x) {
            const float v = image.at(x, y);
            const float clipped = std::isfinite(v) ? std::clamp(v, 0.0f, 65535.0f) : 0.0f;
            stored[row + x] = static_cast<unsigned short>(std::lround(clipped));
        }
    }
    // Written beside the target and renamed over it, so a failure leaves the
    // old file whole.
    const std::string part = path + ".part";
    std::filesystem::remove(part);
    OpenFits fits;
    int status = 0;
    long axes[2] = {image.width, image.height};
    double white = image.whiteLevel;
    fits_create_diskfile(&fits.file, part.c_str(), &status);
    fits_create_img(fits.file, USHORT_IMG, 2, axes, &status);
    fits_update_key(fits.file, TDOUBLE, "SATURATE", &white, "level at which pixels clip", &status);
    for (const auto& [key, text] : keywords) {
        char* end = nullptr;
        double number = std::strtod(text.c_str(), &end);
        if (!text.empty() && end == text.c_str() + text.size())
            fits_update_key(fits.file, TDOUBLE, key.c_str(), &number, nullptr, &status);
        else
            fits_update_key(fits.file, TSTRING, key.c_str(), const_cast<char*>(text.c_str()), nullptr, &status);
    }
    fits_write_img(fits.file, TUSHORT, 1, static_cast<LONGLONG>(stored.size()), stored.data(), &status);
    fits_close_file(fits.file, &status);
    fits.file = nullptr;
    if (status != 0) {
        std::filesystem::remove(part);
        fail("cannot write " + path + " (cfitsio: " + cfitsioText(status) + ")");
    }
    std::filesystem::rename(part, path);
}

}  // namespace sextrix
