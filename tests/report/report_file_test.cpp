#include "report/report_file.h"

#include <gtest/gtest.h>

#include "report_examples.h"

namespace sextrix {
namespace {

TEST(ReportFile, TheNameChoosesTheFormat) {
    const struct {
        const char* path;
        ReportKind kind;
    } cases[] = {{"night.txt", ReportKind::Mpc80}, {"night", ReportKind::Mpc80},     {"night.PSV", ReportKind::AdesPsv},
                 {"a.xml", ReportKind::AdesXml},   {"a.xml.txt", ReportKind::Mpc80}, {"psv", ReportKind::Mpc80}};
    for (const auto& c : cases) EXPECT_EQ(reportKindFor(c.path), c.kind) << c.path;
}

TEST(ReportFile, TheAcknowledgementNamesTheFirstObjectAndItsNightAndNothingIsNoReport) {
    const std::vector<ReportedMeasurement> measurements{measured("433", {2026, 12, 8, 11655}, 132.8, 11.7, 0.1),
                                                        measured("2024 AB12", {2026, 12, 9, 3600}, 132.9, 11.8, 0.1)};
    const Outcome<std::string> text = reportText(mpcExampleObserver(), measurements, ReportKind::Mpc80);
    ASSERT_TRUE(text) << text.reason();
    EXPECT_NE(text->find("\r\nACK (433) 2026-12-08\r\n"), std::string::npos) << *text;
    EXPECT_FALSE(reportText(mpcExampleObserver(), {}, ReportKind::AdesXml));
}

}  // namespace
}  // namespace sextrix
