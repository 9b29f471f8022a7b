#include "report/mpc80.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace sextrix {
namespace {

// The fields of an optical record at the columns of the MPC's table, read
// without the writer's help.
struct Record {
    std::string designation, date, ra, dec, magnitude, station;
    char discovery, note, mode, band;
    bool blanksAreBlank;  // 57-65 and 72-77, the catalogue column among them
};

Record readRecord(const std::string& line) {
    return {line.substr(0, 12),
            line.substr(15, 17),
            line.substr(32, 12),
            line.substr(44, 12),
            line.substr(65, 5),
            line.substr(77, 3),
            line[12],
            line[13],
            line[14],
            line[70],
            line.substr(56, 9) == std::string(9, ' ') && line.substr(71, 6) == std::string(6, ' ')};
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

ReportedMeasurement measured(const char* designation, UtcTime time, double ra, double dec, double rms) {
    ReportedMeasurement m;
    m.designation = *parseDesignation(designation);
    m.time = time, m.raDeg = ra, m.decDeg = dec, m.rmsRaArcsec = m.rmsDecArcsec = rms;
    return m;
}

struct Case {
    ReportedMeasurement m;
    Detector detector;
    const char *date, *ra, *dec, *magnitude;
    char mode;
};

std::vector<Case> cases() {
    std::vector<Case> rows;
    auto photometric = measured("433", {2024, 5, 1, 10666.08}, 123.456789, 20.5, 0.3);
    photometric.photometry = Photometry{15.234, 'V', 0.05, std::nullopt};
    rows.push_back({photometric, Detector::Ccd, "2024 05 01.12345 ", "08 13 49.629", "+20 30 00.00", "15.23", 'C'});
    // Rounding carries into the date, wraps 24h to 0h and drops the sign of -0.
    rows.push_back({measured("2024 AB12", {2023, 12, 31, 86399.9999}, 359.99999999, -1e-10, 0.3), Detector::Ccd,
                    "2024 01 01.00000 ", "00 00 00.000", "+00 00 00.00", "     ", 'C'});
    rows.push_back({measured("2024 AB12", {2024, 2, 28, 86399.9999}, 224.9999999, 0, 0.3), Detector::Ccd,
                    "2024 02 29.00000 ", "15 00 00.000", "+00 00 00.00", "     ", 'C'});
    // Near the pole a second of RA is a small arc: no decimal is justified.
    rows.push_back({measured("1P", {2024, 5, 1, 0}, 10, 89.9999999, 0.3), Detector::Ccd, "2024 05 01.00000 ",
                    "00 40 00    ", "+90 00 00.00", "     ", 'C'});
    // A 12" position: 0.01s of RA (0.13" here) and whole seconds of Dec.
    auto coarse = measured("C/1995 O1", {2024, 5, 1, 43200}, 100, -30.25, 12);
    coarse.photometry = Photometry{17.3, 'R', std::nullopt, std::nullopt};
    rows.push_back({coarse, Detector::Cmos, "2024 05 01.50000 ", "06 40 00.00 ", "-30 15 00   ", "17.3 ", 'B'});
    // A time known to a second justifies the sixth decimal of the day.
    auto timed = measured("ZTF0A1", {2024, 5, 1, 10666.08}, 0.5, -0.5, 0.3);
    timed.rmsTimeSeconds = 1;
    timed.discovery = true, timed.note = 'K';
    timed.photometry = Photometry{9.87, 'G', 0.2, std::nullopt};
    rows.push_back({timed, Detector::Ccd, "2024 05 01.123450", "00 02 00.000", "-00 30 00.00", " 9.87", 'C'});
    return rows;
}

TEST(Mpc80Line, WritesEachFieldInItsColumns) {
    for (const auto& row : cases()) {
        SCOPED_TRACE(row.m.designation.name);
        const auto line = mpc80Line(row.m, "G70", row.detector);
        ASSERT_TRUE(line) << line.reason();
        ASSERT_EQ(line->size(), 80u);
        const Record r = readRecord(*line);
        EXPECT_EQ(r.designation, row.m.designation.columns);
        EXPECT_EQ(r.discovery, row.m.discovery ? '*' : ' ');
        EXPECT_EQ(r.note, row.m.note);
        EXPECT_EQ(r.mode, row.mode);
        EXPECT_EQ(r.date, row.date);
        EXPECT_EQ(r.ra, row.ra);
        EXPECT_EQ(r.dec, row.dec);
        EXPECT_EQ(r.magnitude, row.magnitude);
        EXPECT_EQ(r.band, row.m.photometry ? row.m.photometry->band : ' ');
        EXPECT_TRUE(r.blanksAreBlank);
        EXPECT_EQ(r.station, "G70");
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
            const Record r = readRecord(*line);
            const double cosDec = std::cos(dec * M_PI / 180);
            double raStep = 0, decStep = 0;
            const double raRead = sexagesimal(r.ra, 15, raStep), decRead = sexagesimal(r.dec, 1, decStep);
            EXPECT_NEAR(raRead, ra, raStep / 2 / 3600 + 1e-12);
            EXPECT_NEAR(decRead, dec, decStep / 2 / 3600 + 1e-12);
            raStep *= cosDec;
            EXPECT_TRUE(raStep <= rms / 10 * 1.000001 || r.ra.find('.') == 8) << r.ra;
            EXPECT_TRUE(raStep > rms / 100 || r.ra.back() != ' ') << r.ra;
            EXPECT_TRUE(decStep <= rms / 10 * 1.000001 || r.dec.find('.') == 9) << r.dec;
            EXPECT_TRUE(decStep > rms / 100 || r.dec.back() != ' ') << r.dec;
        }
}

TEST(Mpc80Line, RefusesWhatCannotBeWritten) {
    const auto good = measured("433", {2024, 5, 1, 3600}, 10, 10, 0.3);
    ASSERT_TRUE(mpc80Line(good, "G70", Detector::Ccd));
    std::vector<std::pair<ReportedMeasurement, const char*>> rows;
    const auto with = [&](auto change, const char* station = "G70") {
        ReportedMeasurement m = good;
        change(m);
        rows.emplace_back(m, station);
    };
    with([](auto& m) { m.time.reset(); });
    with([](auto& m) { m.time = UtcTime{2024, 4, 31, 0}; });
    with([](auto& m) { m.time = UtcTime{2023, 2, 29, 0}; });
    with([](auto& m) { m.time->seconds = 86400; });
    with([](auto& m) { m.raDeg = 360; });
    with([](auto& m) { m.decDeg = -90.5; });
    with([](auto& m) { m.rmsDecArcsec = 0; });
    with([](auto& m) { m.designation = {DesignationKind::Temporary, "XYZ", ""}; });
    with([](auto& m) { m.designation = {DesignationKind::Temporary, "XYZ", "     ABC    "}; });
    with([](auto& m) { m.photometry = Photometry{17, 'C', std::nullopt, std::nullopt}; });
    with([](auto& m) { m.photometry = Photometry{36, 'V', std::nullopt, std::nullopt}; });
    with([](auto& m) { m.note = 'C'; });
    with([](auto& m) { m.designation = *parseDesignation("C/1995 O1"), m.discovery = true; });
    for (const char* station : {"G7", "g70", "7AB", "G700", "AB1"}) with([](auto&) {}, station);
    for (const auto& [m, station] : rows) {
        const auto line = mpc80Line(m, station, Detector::Ccd);
        ASSERT_FALSE(line) << *line;
        EXPECT_FALSE(line.reason().empty());
    }
}

ObserverSettings holmes() {
    ObserverSettings s;
    s.station = "500";
    s.contactName = "S. Holmes";
    s.contactAddress = "221B Baker Street, London NW1 4JW, England";
    s.contactEmail = "sholmes@mycroft.holmes.gov.uk";
    s.observers = {"H. Poirot", "P. Mason", "L. Columbo", "C. Chan"};
    s.measurers = {"J. Watson"};
    s.apertureMetres = 0.5, s.focalRatio = 3, s.telescopeDesign = "reflector";
    s.acknowledgementEmails = "dwatson@mycroft.holmes.gov.uk";
    return s;
}

// The first header of the MPC's page of observational details, the e-mail
// on its own CON line as there since it does not fit on the first.
TEST(Mpc80Header, WritesTheMpcExample) {
    auto m = measured("433", {2024, 5, 1, 3600}, 10, 10, 0.3);
    m.catalogue = Catalogue::Ucac4;
    const std::vector<ReportedMeasurement> measurements(2, m);
    const auto header = mpc80Header(holmes(), measurements, "Batch 001: five new tnos");
    ASSERT_TRUE(header) << header.reason();
    EXPECT_EQ(*header, (std::vector<std::string>{"COD 500", "CON S. Holmes, 221B Baker Street, London NW1 4JW, England",
                                                 "CON [sholmes@mycroft.holmes.gov.uk]",
                                                 "OBS H. Poirot, P. Mason, L. Columbo, C. Chan", "MEA J. Watson",
                                                 "TEL 0.50-m f/3 reflector + CCD", "NET UCAC-4", "NUM 2",
                                                 "ACK Batch 001: five new tnos", "AC2 dwatson@mycroft.holmes.gov.uk"}));
}

TEST(Mpc80Header, ContinuesLongListsWithoutBreakingANameOrPassingColumn80) {
    ObserverSettings s = holmes();
    s.observers.clear();
    for (int i = 0; i < 15; ++i) s.observers.push_back(std::string("A. B. Surname") + static_cast<char>('a' + i));
    s.comment = std::string(30, 'x') + " " + std::string(40, 'y') + " " + std::string(50, 'z');
    const auto report = mpc80Report(s, std::vector{measured("433", {2024, 5, 1, 3600}, 10, 10, 0.3)}, "");
    ASSERT_TRUE(report) << report.reason();
    std::vector<std::string> names, comment;
    std::string text = *report;
    ASSERT_EQ(text.substr(0, 9), "COD 500\r\n");
    ASSERT_EQ(text.substr(9, 4), "CON ");
    for (std::size_t end; (end = text.find("\r\n")) != std::string::npos; text.erase(0, end + 2)) {
        const std::string line = text.substr(0, end);
        EXPECT_LE(line.size(), 80u) << line;
        if (line.starts_with("OBS "))
            for (std::size_t at = 4, next; at < line.size(); at = next + 2)
                names.push_back(line.substr(at, (next = std::min(line.find(", ", at), line.size())) - at));
        if (line.starts_with("COM ")) comment.push_back(line.substr(4));
    }
    EXPECT_EQ(names, s.observers);
    EXPECT_EQ(comment.size(), 2u);
    EXPECT_TRUE(text.empty());
}

}  // namespace
}  // namespace sextrix
