#include "report/ades.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "report_examples.h"

namespace sextrix {
namespace {

using Fields = std::map<std::string, std::string>;

std::vector<std::string> split(const std::string& text, const char* separator) {
    const std::regex pattern(separator);
    return {std::sregex_token_iterator(text.begin(), text.end(), pattern, -1), std::sregex_token_iterator()};
}

// A PSV file read by the ADES description: "#" and "!" header lines, the
// keyword record, then records of the same fields, blanks around fields
// ignored and empty fields absent.
struct Psv {
    std::vector<std::string> header, keywords;
    std::vector<Fields> records;
};

Fields recordOf(const std::vector<std::string>& keywords, const std::vector<std::string>& fields) {
    Fields record;
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (!fields[i].empty()) record[keywords.at(i)] = fields[i];
    return record;
}

Psv readPsv(const std::string& text) {
    Psv psv;
    for (const auto& line : split(text, "\r\n")) {
        const auto fields = split(line, " *\\| *");
        if (line[0] == '#' || line[0] == '!')
            psv.header.push_back(line);
        else if (psv.keywords.empty())
            psv.keywords = fields;
        else
            psv.records.push_back(recordOf(psv.keywords, fields));
    }
    return psv;
}

ObserverSettings settings() {
    ObserverSettings s = mpcExampleObserver();
    s.observers = {"H. Poirot"}, s.measurers.clear(), s.comment = "Seeing <2\" & 'clear'";
    return s;
}

std::vector<ReportedMeasurement> batch() {
    const auto at = [](const char* designation, double rms) {
        return measured(designation, {2024, 5, 1, 10666.08}, 123.456789, -20.5, rms);
    };
    auto numbered = at("433", 0.25);
    numbered.photometry = Photometry{15.234, 'V', 0.3, Catalogue::Ucac4};
    numbered.signalToNoise = 42, numbered.discovery = true, numbered.note = 'K', numbered.catalogue = Catalogue::UsnoA2;
    return {numbered, at("2024 AB12", 0.3), at("ZTF0A1", 2.0)};
}

TEST(AdesPsv, CarriesTheContextAndOneRecordPerObservation) {
    const auto text = adesReport(settings(), batch(), AdesFormat::Psv);
    ASSERT_TRUE(text) << text.reason();
    const Psv psv = readPsv(*text);
    EXPECT_EQ(psv.header,
              (std::vector<std::string>{"# version=2022", "# observatory", "! mpcCode 500", "# submitter",
                                        "! name S. Holmes", "# observers", "! name H. Poirot", "# measurers",
                                        "! name H. Poirot", "# telescope", "! design reflector", "! aperture 0.5",
                                        "! detector CCD", "! fRatio 3", "# comment", "! line Seeing <2\" & 'clear'"}));
    EXPECT_EQ(psv.keywords, (std::vector<std::string>{"permID", "provID", "trkSub", "mode", "stn", "obsTime", "ra",
                                                      "dec", "rmsRA", "rmsDec", "astCat", "mag", "rmsMag", "band",
                                                      "photCat", "logSNR", "disc", "notes"}));
    ASSERT_EQ(psv.records.size(), 3u);
    // Digits by the ADES description's guide: a position good to 0.03-0.3" in
    // six decimals of a degree, a magnitude uncertain by 0.1-1.0 to 0.01.
    std::string first;
    for (const auto& [name, value] : psv.records[0]) first += name + "=" + value + " ";
    EXPECT_EQ(first,
              "astCat=USNOA2 band=V dec=-20.500000 disc=* logSNR=1.62 mag=15.23 mode=CCD notes=K "
              "obsTime=2024-05-01T02:57:46.080Z permID=433 photCat=UCAC4 ra=123.456789 rmsDec=0.250 rmsMag=0.300 "
              "rmsRA=0.250 stn=500 ");
    EXPECT_EQ(psv.records[1].at("provID"), "2024 AB12");
    EXPECT_EQ(psv.records[1].count("mag"), 0u);
    EXPECT_EQ(psv.records[2].at("trkSub"), "ZTF0A1");
    EXPECT_EQ(psv.records[2].at("ra"), "123.45679");  // 2": steps of 0.034" on the sky
    EXPECT_EQ(psv.records[2].at("astCat"), "Gaia3");
}

// The XML read with a pattern for its leaf elements: the same values, in
// the same order, as the PSV's header lines and records.
TEST(AdesXml, HoldsWhatThePsvHolds) {
    const auto xml = adesReport(settings(), batch(), AdesFormat::Xml);
    const auto psv = adesReport(settings(), batch(), AdesFormat::Psv);
    ASSERT_TRUE(xml && psv);
    EXPECT_EQ(split(*xml, "\r\n")[1], "<ades version=\"2022\">");
    std::vector<std::string> context, psvContext;
    std::vector<Fields> records;
    const std::regex leaf(R"(<(\w+)>([^<]*)</\1>)"), optical("<optical>");
    for (const auto& line : split(*xml, "\r\n")) {
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
    EXPECT_EQ(adesFormatFor("/home/obs/NIGHT.PSV"), AdesFormat::Psv);
    EXPECT_EQ(adesFormatFor("night.Xml"), AdesFormat::Xml);
    for (const char* path : {"night.txt", "night", "reports.xml/night", "night.psv.bak"})
        EXPECT_FALSE(adesFormatFor(path)) << path;
    auto bad = batch();
    bad[1].mjdUtc.reset();
    EXPECT_EQ(adesReport(settings(), bad, AdesFormat::Xml).reason().substr(0, 14), "Observation 2:");
    ObserverSettings unnamed = settings();
    unnamed.observers.clear();
    EXPECT_FALSE(adesReport(unnamed, batch(), AdesFormat::Psv));
    EXPECT_FALSE(adesReport(settings(), {}, AdesFormat::Psv));
}

}  // namespace
}  // namespace sextrix
