#include "report/ades.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace sextrix {
namespace {

using Fields = std::map<std::string, std::string>;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; at < text.size(); at = end + 2)
        lines.push_back(text.substr(at, (end = text.find("\r\n", at)) - at));
    return lines;
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(' ');
    return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// A PSV file read by the ADES description: "#" and "!" header lines, the
// keyword record, then records of the same fields, blanks around fields
// ignored and empty fields absent.
struct Psv {
    std::vector<std::string> header;
    std::vector<std::string> keywords;
    std::vector<Fields> records;
};

Psv readPsv(const std::string& text) {
    Psv psv;
    for (const auto& line : linesOf(text)) {
        if (line[0] == '#' || line[0] == '!') {
            psv.header.push_back(line);
            continue;
        }
        std::vector<std::string> fields;
        for (std::size_t at = 0, end; at <= line.size(); at = end + 1)
            fields.push_back(trimmed(line.substr(at, (end = std::min(line.find('|', at), line.size())) - at)));
        if (psv.keywords.empty()) {
            psv.keywords = fields;
            continue;
        }
        Fields record;
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (!fields[i].empty()) record[psv.keywords.at(i)] = fields[i];
        psv.records.push_back(record);
    }
    return psv;
}

ObserverSettings settings() {
    ObserverSettings s;
    s.station = "G70", s.contactName = "S. Holmes", s.observers = {"H. Poirot"};
    s.apertureMetres = 0.5, s.focalRatio = 3, s.telescopeDesign = "reflector";
    s.comment = "Seeing <2\" & 'clear'";
    return s;
}

ReportedMeasurement measured(const char* designation, double rms) {
    ReportedMeasurement m;
    m.designation = *parseDesignation(designation);
    m.time = UtcTime{2024, 5, 1, 10666.08};
    m.raDeg = 123.456789, m.decDeg = -20.5, m.rmsRaArcsec = rms, m.rmsDecArcsec = rms;
    return m;
}

std::vector<ReportedMeasurement> batch() {
    auto numbered = measured("433", 0.25);
    numbered.photometry = Photometry{15.234, 'V', 0.3, Catalogue::Ucac4};
    numbered.signalToNoise = 42, numbered.discovery = true, numbered.note = 'K';
    numbered.catalogue = Catalogue::UsnoA2;
    return {numbered, measured("2024 AB12", 0.3), measured("ZTF0A1", 2.0)};
}

TEST(AdesPsv, CarriesTheContextAndOneRecordPerObservation) {
    const auto text = adesReport(settings(), batch(), AdesFormat::Psv);
    ASSERT_TRUE(text) << text.reason();
    const Psv psv = readPsv(*text);
    EXPECT_EQ(psv.header,
              (std::vector<std::string>{"# version=2022", "# observatory", "! mpcCode G70", "# submitter",
                                        "! name S. Holmes", "# observers", "! name H. Poirot", "# measurers",
                                        "! name H. Poirot", "# telescope", "! design reflector", "! aperture 0.5",
                                        "! detector CCD", "! fRatio 3", "# comment", "! line Seeing <2\" & 'clear'"}));
    EXPECT_EQ(psv.keywords, (std::vector<std::string>{"permID", "provID", "trkSub", "mode", "stn", "obsTime", "ra",
                                                      "dec", "rmsRA", "rmsDec", "astCat", "mag", "rmsMag", "band",
                                                      "photCat", "logSNR", "disc", "notes"}));
    ASSERT_EQ(psv.records.size(), 3u);
    EXPECT_EQ(psv.records[0], (Fields{{"permID", "433"},
                                      {"mode", "CCD"},
                                      {"stn", "G70"},
                                      {"obsTime", "2024-05-01T02:57:46.080Z"},
                                      {"ra", "123.456789"},
                                      {"dec", "-20.500000"},
                                      {"rmsRA", "0.250"},
                                      {"rmsDec", "0.250"},
                                      {"astCat", "USNOA2"},
                                      {"mag", "15.23"},
                                      {"rmsMag", "0.300"},
                                      {"band", "V"},
                                      {"photCat", "UCAC4"},
                                      {"logSNR", "1.62"},
                                      {"disc", "*"},
                                      {"notes", "K"}}));
    EXPECT_EQ(psv.records[1].at("provID"), "2024 AB12");
    EXPECT_EQ(psv.records[1].count("mag"), 0u);
    EXPECT_EQ(psv.records[2].at("trkSub"), "ZTF0A1");
    EXPECT_EQ(psv.records[2].at("ra"), "123.45679");  // 2": steps of 0.034" on the sky
    EXPECT_EQ(psv.records[2].at("astCat"), "Gaia3");
    for (const auto& record : psv.records)
        EXPECT_TRUE(
            std::regex_match(record.at("obsTime"), std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d(\.\d{1,6})?Z)")));
}

// The ADES description's own guide: positions good to 0.03-0.3" in six
// decimals of a degree, magnitudes uncertain by 0.1-1.0 to 0.01.
TEST(AdesPsv, WritesTheDigitsOfTheAdesExamples) {
    for (const double rms : {0.04, 0.1, 0.3}) {
        auto m = measured("433", rms);
        m.decDeg = 0.2;
        m.photometry = Photometry{18.76543, 'R', rms * 3, std::nullopt};
        const auto text = adesReport(settings(), std::vector{m}, AdesFormat::Psv);
        ASSERT_TRUE(text) << text.reason();
        const Fields record = readPsv(*text).records.at(0);
        EXPECT_EQ(record.at("ra"), "123.456789") << rms;
        EXPECT_EQ(record.at("dec"), "0.200000") << rms;
        EXPECT_EQ(record.at("mag"), "18.77") << rms;
    }
}

// The XML read with a pattern for its leaf elements: the same values, in
// the same order, as the PSV's header lines and records.
TEST(AdesXml, HoldsWhatThePsvHolds) {
    const auto xml = adesReport(settings(), batch(), AdesFormat::Xml);
    const auto psv = adesReport(settings(), batch(), AdesFormat::Psv);
    ASSERT_TRUE(xml && psv);
    EXPECT_EQ(linesOf(*xml)[1], "<ades version=\"2022\">");
    std::vector<std::string> context, psvContext;
    std::vector<Fields> records;
    const std::regex leaf(R"(<(\w+)>([^<]*)</\1>)"), optical("<optical>");
    for (const auto& line : linesOf(*xml)) {
        std::smatch match;
        if (std::regex_search(line, optical)) records.emplace_back();
        if (!std::regex_search(line, match, leaf)) continue;
        std::string value = match[2];
        for (const auto& [entity, c] :
             {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}})
            for (std::size_t at; (at = value.find(entity)) != std::string::npos;) value.replace(at, strlen(entity), c);
        if (records.empty())
            context.push_back("! " + match[1].str() + " " + value);
        else
            records.back()[match[1]] = value;
    }
    for (const auto& line : readPsv(*psv).header)
        if (line[0] == '!') psvContext.push_back(line);
    EXPECT_EQ(context, psvContext);
    EXPECT_EQ(records, readPsv(*psv).records);
    EXPECT_NE(xml->find("Seeing &lt;2&quot; &amp; &apos;clear&apos;"), std::string::npos);
}

TEST(Ades, FormatFollowsTheFileNameAndBadInputIsRefusedWhole) {
    EXPECT_EQ(adesFormatFor("night.psv"), AdesFormat::Psv);
    EXPECT_EQ(adesFormatFor("/home/obs/NIGHT.PSV"), AdesFormat::Psv);
    EXPECT_EQ(adesFormatFor("night.Xml"), AdesFormat::Xml);
    for (const char* path : {"night.txt", "night", "reports.xml/night", "night.psv.bak"})
        EXPECT_FALSE(adesFormatFor(path)) << path;

    auto bad = batch();
    bad[1].time.reset();
    const auto refused = adesReport(settings(), bad, AdesFormat::Xml);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.reason().substr(0, 14), "Observation 2:");
    ObserverSettings unnamed = settings();
    unnamed.observers.clear();
    EXPECT_FALSE(adesReport(unnamed, batch(), AdesFormat::Psv));
    EXPECT_FALSE(adesReport(settings(), {}, AdesFormat::Psv));
}

}  // namespace
}  // namespace sextrix
