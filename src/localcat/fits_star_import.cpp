// The first table of a FITS file (binary or ASCII), read through cfitsio in
// chunks of rows.
#include <fitsio.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <memory>

#include "catalog/service_text.h"
#include "import_readers.h"

namespace sextrix {
namespace {

constexpr long kMinChunk = 256, kMaxChunk = 20000;

struct FitsCloser {
    void operator()(fitsfile* file) const {
        int status = 0;
        fits_close_file(file, &status);
    }
};
using FitsFile = std::unique_ptr<fitsfile, FitsCloser>;

std::string fitsText(int status) {
    char text[FLEN_STATUS] = {};
    fits_get_errstatus(status, text);
    return text;
}

bool isNumberType(int type) {
    return type == TBYTE || type == TSBYTE || type == TSHORT || type == TUSHORT || type == TINT || type == TUINT ||
           type == TLONG || type == TULONG || type == TLONGLONG || type == TFLOAT || type == TDOUBLE;
}

bool isWholeNumberType(int type) { return isNumberType(type) && type != TFLOAT && type != TDOUBLE; }

// One column of the identifier: text, or whole numbers (Gaia's source_id,
// Tycho-2's TYC1..TYC3) written out in decimal.
struct IdColumn {
    int column = 0;
    bool text = false;
    long width = 0;
};

}  // namespace

Result<ImportedFile> importFitsTable(const std::string& path, const TakeStar& take,
                                     const std::function<void(double)>& progress) {
    const auto refused = [&](long long row, std::string cause) {
        return ReadError{.file = path,
                         .line = static_cast<int>(std::min<long long>(row, INT_MAX)),
                         .cause = std::move(cause),
                         .place = ReadPlace::Record};
    };
    int status = 0;
    fitsfile* opened = nullptr;
    // Not fits_open_file: a path is a path here, never cfitsio's filter syntax.
    if (fits_open_diskfile(&opened, path.c_str(), READONLY, &status))
        return refused(0, "cannot be read as FITS: " + fitsText(status));
    const FitsFile file(opened);

    int hdus = 0, type = IMAGE_HDU;
    fits_get_num_hdus(file.get(), &hdus, &status);
    for (int hdu = 2; hdu <= hdus && !status && type == IMAGE_HDU; ++hdu)
        fits_movabs_hdu(file.get(), hdu, &type, &status);
    if (status) return refused(0, "cut short or damaged: " + fitsText(status));
    if (type == IMAGE_HDU) return refused(0, "a FITS file without a table (images only)");

    int columns = 0;
    LONGLONG rows = 0;
    fits_get_num_cols(file.get(), &columns, &status);
    fits_get_num_rowsll(file.get(), &rows, &status);
    std::vector<std::string> names;
    for (int c = 1; c <= columns && !status; ++c) {
        char key[FLEN_KEYWORD], value[FLEN_VALUE] = {};
        fits_make_keyn("TTYPE", c, key, &status);
        if (fits_read_key(file.get(), TSTRING, key, value, nullptr, &status) == KEY_NO_EXIST) status = 0;
        names.emplace_back(value);
    }
    if (status) return refused(0, "damaged table header: " + fitsText(status));
    const auto layout = starLayout(names, std::nullopt);
    if (!layout) return refused(0, layout.reason());

    // Each column read must hold one value a row, of a type that fits it.
    const auto kind = [&](std::size_t column, int& code, long& width) {
        long repeat = 0;
        fits_get_coltype(file.get(), static_cast<int>(column) + 1, &code, &repeat, &width, &status);
        return code == TSTRING ? repeat > 0 : repeat == 1;
    };
    std::vector<IdColumn> ids;
    for (const std::size_t column : layout->id) {
        int code = 0;
        long width = 0;
        if (!kind(column, code, width) || (code != TSTRING && !isWholeNumberType(code)))
            return refused(0, "the identifier column " + names[column] + " holds neither text nor whole numbers");
        ids.push_back({static_cast<int>(column) + 1, code == TSTRING, width});
    }
    const std::vector<NumberColumn> numbers = layout->numberColumns();
    for (const NumberColumn& number : numbers) {
        int code = 0;
        long width = 0;
        if (!kind(number.column, code, width) || !isNumberType(code))
            return refused(
                0, "the column " + names[number.column] + " (" + number.what + ") does not hold one number a row");
    }
    if (status) return refused(0, "damaged table header: " + fitsText(status));

    long chunk = 0;
    fits_get_rowsize(file.get(), &chunk, &status);
    chunk = std::clamp(chunk, kMinChunk, kMaxChunk);
    std::vector<std::vector<double>> numberValues(numbers.size(), std::vector<double>(chunk));
    std::vector<std::vector<LONGLONG>> wholeIds(ids.size(), std::vector<LONGLONG>(chunk));
    std::vector<std::vector<char>> textIds(ids.size());
    std::vector<std::vector<char*>> textRows(ids.size(), std::vector<char*>(chunk));
    for (std::size_t k = 0; k < ids.size(); ++k) {
        if (!ids[k].text) continue;
        textIds[k].assign(static_cast<std::size_t>(chunk) * (ids[k].width + 1), '\0');
        for (long r = 0; r < chunk; ++r) textRows[k][r] = textIds[k].data() + r * (ids[k].width + 1);
    }

    ImportedFile read{.source = layout->source};
    StarValues values;
    for (LONGLONG first = 1; first <= rows; first += chunk) {
        const LONGLONG count = std::min<LONGLONG>(chunk, rows - first + 1);
        int anyNull = 0;
        double nan = std::numeric_limits<double>::quiet_NaN();
        LONGLONG noId = LLONG_MIN;
        char noText[] = "";
        for (std::size_t k = 0; k < numbers.size(); ++k)
            fits_read_col(file.get(), TDOUBLE, static_cast<int>(numbers[k].column) + 1, first, 1, count, &nan,
                          numberValues[k].data(), &anyNull, &status);
        for (std::size_t k = 0; k < ids.size(); ++k) {
            if (ids[k].text)
                fits_read_col(file.get(), TSTRING, ids[k].column, first, 1, count, noText, textRows[k].data(), &anyNull,
                              &status);
            else
                fits_read_col(file.get(), TLONGLONG, ids[k].column, first, 1, count, &noId, wholeIds[k].data(),
                              &anyNull, &status);
        }
        if (status) return refused(first, "cannot be read: " + fitsText(status));
        for (LONGLONG r = 0; r < count; ++r) {
            values = {};
            for (std::size_t k = 0; k < ids.size(); ++k) {
                if (!values.id.empty()) values.id += '-';
                if (ids[k].text)
                    values.id += trimmed(textRows[k][r]);
                else if (wholeIds[k][r] != noId)
                    values.id += std::to_string(wholeIds[k][r]);
            }
            for (std::size_t k = 0; k < numbers.size(); ++k)
                if (const double v = numberValues[k][r]; !std::isnan(v)) values.*numbers[k].value = v;
            if (auto fault = takeRow(*layout, values, take, read)) return refused(first + r, std::move(*fault));
        }
        if (progress) progress(static_cast<double>(first + count - 1) / static_cast<double>(rows));
    }
    return read;
}

}  // namespace sextrix
