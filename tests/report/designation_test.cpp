#include "report/designation.h"

#include <gtest/gtest.h>

namespace sextrix {
namespace {

using Kind = DesignationKind;

struct Packing {
    const char* typed;
    const char* columns;  // 1-12 of the record
    Kind kind;
};

// The examples of the MPC's pages on packed designations (numbers, the
// original and extended provisional schemes, surveys, comets and asteroids
// redesignated as comets) and of the ADES description, both ways.
constexpr Packing kPublished[] = {
    {"3202", "03202       ", Kind::NumberedMinorPlanet},
    {"50000", "50000       ", Kind::NumberedMinorPlanet},
    {"100345", "A0345       ", Kind::NumberedMinorPlanet},
    {"360017", "a0017       ", Kind::NumberedMinorPlanet},
    {"203289", "K3289       ", Kind::NumberedMinorPlanet},
    {"620000", "~0000       ", Kind::NumberedMinorPlanet},
    {"620061", "~000z       ", Kind::NumberedMinorPlanet},
    {"3140113", "~AZaz       ", Kind::NumberedMinorPlanet},
    {"15396335", "~zzzz       ", Kind::NumberedMinorPlanet},
    {"1995 XA", "     J95X00A", Kind::ProvisionalMinorPlanet},
    {"1995 XL1", "     J95X01L", Kind::ProvisionalMinorPlanet},
    {"1995 FB13", "     J95F13B", Kind::ProvisionalMinorPlanet},
    {"1998 SQ108", "     J98SA8Q", Kind::ProvisionalMinorPlanet},
    {"1998 SV127", "     J98SC7V", Kind::ProvisionalMinorPlanet},
    {"1998 SS162", "     J98SG2S", Kind::ProvisionalMinorPlanet},
    {"2099 AZ193", "     K99AJ3Z", Kind::ProvisionalMinorPlanet},
    {"2008 AA360", "     K08Aa0A", Kind::ProvisionalMinorPlanet},
    {"2007 TA418", "     K07Tf8A", Kind::ProvisionalMinorPlanet},
    {"2023 BA", "     K23B00A", Kind::ProvisionalMinorPlanet},
    {"2024 CZ3", "     K24C03Z", Kind::ProvisionalMinorPlanet},
    {"2026 CZ619", "     K26Cz9Z", Kind::ProvisionalMinorPlanet},
    {"2026 CA620", "     _QC0000", Kind::ProvisionalMinorPlanet},
    {"2026 CZ6190", "     _QC0aEM", Kind::ProvisionalMinorPlanet},
    {"2026 CL591673", "     _QCzzzz", Kind::ProvisionalMinorPlanet},
    {"2025 DA620", "     _PD0000", Kind::ProvisionalMinorPlanet},
    {"2026 DY620", "     _QD000N", Kind::ProvisionalMinorPlanet},
    {"2028 EA339749", "     _SEZZZZ", Kind::ProvisionalMinorPlanet},
    {"2029 FL591673", "     _TFzzzz", Kind::ProvisionalMinorPlanet},
    {"2040 P-L", "     PLS2040", Kind::ProvisionalMinorPlanet},
    {"3138 T-1", "     T1S3138", Kind::ProvisionalMinorPlanet},
    {"1010 T-2", "     T2S1010", Kind::ProvisionalMinorPlanet},
    {"4101 T-3", "     T3S4101", Kind::ProvisionalMinorPlanet},
    {"C/1995 A1", "    CJ95A010", Kind::ProvisionalComet},
    {"P/1994 P1-B", "    PJ94P01b", Kind::ProvisionalComet},
    {"P/1994 P1", "    PJ94P010", Kind::ProvisionalComet},
    {"C/2048 X13", "    CK48X130", Kind::ProvisionalComet},
    {"C/2033 L89-C", "    CK33L89c", Kind::ProvisionalComet},
    {"C/2088 A103", "    CK88AA30", Kind::ProvisionalComet},
    {"C/1997 BA6", "    CJ97B06A", Kind::ProvisionalComet},
    {"P/2023 BA", "    PK23B00A", Kind::ProvisionalComet},
    {"A/2025 DZ619", "    AK25Dz9Z", Kind::ProvisionalComet},
    {"P/2025 DA620", "    P_PD0000", Kind::ProvisionalComet},
    {"1P", "0001P       ", Kind::NumberedComet},
    {"3D", "0003D       ", Kind::NumberedComet},
    {"116P", "0116P       ", Kind::NumberedComet},
    {"AB1023", "     AB1023 ", Kind::Temporary},
    {"AB10234", "     AB10234", Kind::Temporary},
    {"J95X00I", "     J95X00I", Kind::Temporary},
};

TEST(Designation, PacksAndUnpacksThePublishedExamples) {
    for (const auto& row : kPublished) {
        SCOPED_TRACE(row.typed);
        const auto packed = parseDesignation(row.typed);
        ASSERT_TRUE(packed) << packed.reason();
        EXPECT_EQ(packed->columns, row.columns);
        EXPECT_EQ(packed->kind, row.kind);
        EXPECT_EQ(packed->name, row.typed);
        const auto unpacked = unpackDesignation(row.columns);
        ASSERT_TRUE(unpacked) << unpacked.reason();
        EXPECT_EQ(unpacked->name, row.typed);
        EXPECT_EQ(unpacked->kind, row.kind);
    }
}

TEST(Designation, ReadsANumberInParenthesesAndShowsItSo) {
    const auto ceres = parseDesignation(" (433) ");
    ASSERT_TRUE(ceres);
    EXPECT_EQ(ceres->columns, "00433       ");
    EXPECT_EQ(ceres->name, "433");
    EXPECT_EQ(displayName(*ceres), "(433)");
}

TEST(Designation, RefusesWhatCannotBePacked) {
    for (const char* typed : {"",
                              "   ",
                              "0",
                              "15396336",
                              "(12a)",
                              "2024 AI1",
                              "2024 IA",
                              "2024 ZA",
                              "2024 AB0",
                              "2024 AB012",
                              "2024 ab12",
                              "1920 AA",
                              "2009 AA620",
                              "2036 AA620",
                              "2026 CA591674",
                              "0000 P-L",
                              "2040 P-X",
                              "C/1995 O620",
                              "C/1995 O01",
                              "C/1995 O1-b",
                              "A/1995 O1-B",
                              "C/1997 BA6-A",
                              "Q/1995 O1",
                              "C/95 O1",
                              "73P-B",
                              "10000P",
                              "0P",
                              "ABCDEFGH",
                              "AB CD",
                              "1ABC",
                              "J95X00A",
                              "PLS2040",
                              "K25D_00"}) {
        const auto designation = parseDesignation(typed);
        ASSERT_FALSE(designation) << '"' << typed << "\" gave " << designation->columns;
        EXPECT_FALSE(designation.reason().empty()) << typed;
    }
    for (const char* columns : {"", "            ", "   00433    ", "00433J95X00A", "     J95 00A", "0000P       ",
                                "~0a!z       ", "    QJ95A010"}) {
        const auto designation = unpackDesignation(columns);
        EXPECT_FALSE(designation) << '"' << columns << "\" gave " << designation->name;
    }
}

}  // namespace
}  // namespace sextrix
