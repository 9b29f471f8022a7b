#include "report/mpc80.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "report_examples.h"

namespace sextrix {
namespace {

// Columns first to last of a record, counted from 1 as in the MPC's table.
std::string columns(const std::string& line, std::size_t first, std::size_t last) {
    return line.substr(first - 1, last - first + 1);
}

// Degrees from "HH MM SS.sss" (hours) or "sDD MM SS.ss", and the size of a
// step of its last digit in arcseconds of the field's own unit.
double sexagesimal(const std::string& field, double unit, double& lastStep) {
    int whole = 0, minutes = 0;
    double seconds = 0;
    std::sscanf(field.c_str() + (field[0] == '+' || field[0] == '-'), "%d %d %lf", &whole, &minutes, &seconds);
    const auto point = field.find('.');
    const auto end = field.find_last_not_of(' ');
    lastStep = unit * std::pow(10.0, point == std::string::npos ? 0.0 : -static_cast<double>(end - point));
    return (field[0] == '-' ? -1 : 1) * (whole + minutes / 60.0 + seconds / 3600.0) * unit;
}

struct Case {
    ReportedMeasurement m;
    const char *date, *ra, *dec, *magnitude;
    char mode;
};

std::vector<Case> cases() {
    std::vector<Case> rows;
    auto photometric = measured("433", {2024, 5, 1, 10666.08}, 123.456789, 20.5, 0.3);
    photometric.photometry = Photometry{15.234, 'V', 0.05, std::nullopt};
    rows.push_back({photometric, "2024 05 01.12345 ", "08 13 49.629", "+20 30 00.00", "15.23", 'C'});
    // Rounding carries into the date (a leap day), wraps 24h to 0h and drops
    // the sign of -0.
    rows.push_back({measured("2024 AB12", {2024, 2, 28, 86399.9999}, 359.99999999, -1e-10, 0.3), "2024 02 29.00000 ",
                    "00 00 00.000", "+00 00 00.00", "     ", 'C'});
    // Near the pole a second of RA is a small arc: no decimal is justified.
    rows.push_back({measured("1P", {2024, 5, 1, 0}, 10, 89.9999999, 0.3), "2024 05 01.00000 ", "00 40 00    ",
                    "+90 00 00.00", "     ", 'C'});
    // A 12" position: 0.01s of RA (0.13" here) and whole seconds of Dec.
    auto coarse = measured("C/1995 O1", {2024, 5, 1, 43200}, 100, -30.25, 12);
    coarse.photometry = Photometry{17.3, 'R', std::nullopt, std::nullopt};
    rows.push_back({coarse, "2024 05 01.50000 ", "06 40 00.00 ", "-30 15 00   ", "17.3 ", 'B'});
    // A time known to a second justifies the sixth decimal of the day.
    auto timed = measured("ZTF0A1", {2024, 5, 1, 10666.08}, 0.5, -0.5, 0.3);
    timed.rmsTimeSeconds = 1;
    timed.discovery = true, timed.note = 'K';
    timed.photometry = Photometry{9.87, 'G', 0.2, std::nullopt};
    rows.push_back({timed, "2024 05 01.123450", "00 02 00.000", "-00 30 00.00", " 9.87", 'C'});
    return rows;
}

TEST(Mpc80Line, WritesEachFieldInItsColumns) {
    for (const auto& row : cases()) {
        SCOPED_TRACE(row.m.designation.name);
        const auto line = mpc80Line(row.m, "G70", row.mode == 'B' ? Detector::Cmos : Detector::Ccd);
        ASSERT_TRUE(line) << line.reason();
        ASSERT_EQ(line->size(), 80u);
        EXPECT_EQ(columns(*line, 1, 12), row.m.designation.columns);
        EXPECT_EQ(columns(*line, 13, 15), (std::string{row.m.discovery ? '*' : ' ', row.m.note, row.mode}));
        EXPECT_EQ(columns(*line, 16, 32), row.date);
        EXPECT_EQ(columns(*line, 33, 44), row.ra);
        EXPECT_EQ(columns(*line, 45, 56), row.dec);
        EXPECT_EQ(columns(*line, 57, 65), std::string(9, ' '));
        EXPECT_EQ(columns(*line, 66, 70), row.magnitude);
        EXPECT_EQ((*line)[70], row.m.photometry ? row.m.photometry->band : ' ');
        EXPECT_EQ(columns(*line, 72, 77), std::string(6, ' '));  // the catalogue's column 72 among them
        EXPECT_EQ(columns(*line, 78, 80), "G70");
    }
}

// The last digit written steps at most a tenth of the uncertainty (unless
// the format has no finer digit) and more than a hundredth (unless it has
// no coarser one), and the value read back is within half a step.
TEST(Mpc80Line, WritesTheDigitsTheUncertaintyJustifies) {
    for (const double rms : {0.02, 0.08, 0.3, 0.9, 2.5, 7.0, 40.0})
        for (const double dec : {-62.3, -5.1, 0.4, 33.3, 71.9}) {
            SCOPED_TRACE(testing::Message() << rms << "\" at " << dec);
            const double ra = 187.654321 + dec;
            const auto line = mpc80Line(measured("433", {2024, 5, 1, 3600}, ra, dec, rms), "500", Detector::Ccd);
            ASSERT_TRUE(line) << line.reason();
            const std::string raField = columns(*line, 33, 44), decField = columns(*line, 45, 56);
            const double cosDec = std::cos(dec * M_PI / 180);
            double raStep = 0, decStep = 0;
            const double raRead = sexagesimal(raField, 15, raStep), decRead = sexagesimal(decField, 1, decStep);
            EXPECT_NEAR(raRead, ra, raStep / 2 / 3600 + 1e-12);
            EXPECT_NEAR(decRead, dec, decStep / 2 / 3600 + 1e-12);
            raStep *= cosDec;
            EXPECT_TRUE(raStep <= rms / 10 * 1.000001 || raField.back() != ' ') << raField;  // or all 12 columns used
            EXPECT_TRUE(raStep > rms / 100 || raField.find('.') == std::string::npos) << raField;  // or no decimal
            EXPECT_TRUE(decStep <= rms / 10 * 1.000001 || decField.back() != ' ') << decField;
            EXPECT_TRUE(decStep > rms / 100 || decField.find('.') == std::string::npos) << decField;
        }
}

TEST(Mpc80Line, RefusesWhatCannotBeWritten) {
    const auto good = measured("433", {2024, 5, 1, 3600}, 10, 10, 0.3);
    ASSERT_TRUE(mpc80Line(good, "G70", Detector::Ccd));
    const std::function<void(ReportedMeasurement&)> changes[] = {
        [](auto& m) { m.mjdUtc.reset(); },
        [](auto& m) {
            m.mjdUtc = mjdOf({1799, 12, 31, 0});
        },
        [](auto& m) { m.rmsDecArcsec = 0; },
        [](auto& m) {
            m.designation = {DesignationKind::Temporary, "XYZ", ""};
        },
        [](auto& m) {
            m.photometry = Photometry{17, 'C', std::nullopt, std::nullopt};
        },
        [](auto& m) { m.designation = *parseDesignation("C/1995 O1"), m.discovery = true; }};
    for (const auto& change : changes) {
        ReportedMeasurement m = good;
        change(m);
        const auto line = mpc80Line(m, "G70", Detector::Ccd);
        ASSERT_FALSE(line) << *line;
        EXPECT_FALSE(line.reason().empty());
        EXPECT_EQ(mpc80Report(mpcExampleObserver(), std::vector{good, m}, "").reason().substr(0, 14), "Observation 2:");
    }
    EXPECT_FALSE(mpc80Line(good, "g70", Detector::Ccd));
}

// The first header of the MPC's page of observational details, the e-mail
// on its own CON line as there since it does not fit on the first.
TEST(Mpc80Header, WritesTheMpcExampleAndKeepsWithin80Columns) {
    auto m = measured("433", {2024, 5, 1, 3600}, 10, 10, 0.3);
    m.catalogue = Catalogue::Ucac4;
    const std::vector<ReportedMeasurement> measurements(2, m);
    const auto header = mpc80Header(mpcExampleObserver(), measurements, "Batch 001: five new tnos");
    ASSERT_TRUE(header) << header.reason();
    EXPECT_EQ(*header, (std::vector<std::string>{"COD 500", "CON S. Holmes, 221B Baker Street, London NW1 4JW, England",
                                                 "CON [sholmes@mycroft.holmes.gov.uk]",
                                                 "OBS H. Poirot, P. Mason, L. Columbo, C. Chan", "MEA J. Watson",
                                                 "TEL 0.50-m f/3 reflector + CCD", "NET UCAC-4", "NUM 2",
                                                 "ACK Batch 001: five new tnos", "AC2 dwatson@mycroft.holmes.gov.uk"}));

    // Long lists go on as many lines as they need, never breaking a name.
    ObserverSettings s = mpcExampleObserver();
    s.observers.clear();
    std::string everyone;
    for (char c = 'a'; c < 'p'; ++c) {
        s.observers.push_back(std::string("A. B. Surname") + c);
        everyone += (everyone.empty() ? "" : ", ") + s.observers.back();
    }
    s.comment = std::string(30, 'x') + " " + std::string(40, 'y') + " " + std::string(50, 'z');
    const auto wrapped = mpc80Header(s, measurements, "");
    ASSERT_TRUE(wrapped) << wrapped.reason();
    std::string observers;
    int comments = 0;
    for (const auto& line : *wrapped) {
        EXPECT_LE(line.size(), 80u) << line;
        if (line.starts_with("OBS ")) observers += (observers.empty() ? "" : ", ") + line.substr(4);
        comments += line.starts_with("COM ");
    }
    EXPECT_EQ(observers, everyone);  // a name broken across two lines would not join again
    EXPECT_EQ(comments, 2);
}

}  // namespace
}  // namespace sextrix
