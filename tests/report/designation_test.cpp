#include "report/designation.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>

namespace sextrix {
namespace {

using Kind = DesignationKind;

// The examples of the MPC's pages on packed designations (numbers, the
// original and extended provisional schemes, surveys, comets and asteroids
// redesignated as comets) and of the ADES description: what is typed, then
// columns 1-12 after a "|", for each kind.
constexpr const char* kNumbered[] = {"3202|03202       ",   "50000|50000       ",   "100345|A0345       ",
                                     "360017|a0017       ", "203289|K3289       ",  "620000|~0000       ",
                                     "620061|~000z       ", "3140113|~AZaz       ", "15396335|~zzzz       "};
constexpr const char* kProvisional[] = {
    "1995 XA|     J95X00A",    "1995 XL1|     J95X01L",      "1995 FB13|     J95F13B",     "1998 SQ108|     J98SA8Q",
    "1998 SV127|     J98SC7V", "1998 SS162|     J98SG2S",    "2099 AZ193|     K99AJ3Z",    "2008 AA360|     K08Aa0A",
    "2007 TA418|     K07Tf8A", "2023 BA|     K23B00A",       "2024 CZ3|     K24C03Z",      "2026 CZ619|     K26Cz9Z",
    "2026 CA620|     _QC0000", "2026 CZ6190|     _QC0aEM",   "2026 CL591673|     _QCzzzz", "2025 DA620|     _PD0000",
    "2026 DY620|     _QD000N", "2028 EA339749|     _SEZZZZ", "2029 FL591673|     _TFzzzz", "2040 P-L|     PLS2040",
    "3138 T-1|     T1S3138",   "1010 T-2|     T2S1010",      "4101 T-3|     T3S4101"};
constexpr const char* kCometProvisional[] = {
    "C/1995 A1|    CJ95A010",    "P/1994 P1-B|    PJ94P01b", "P/1994 P1|    PJ94P010",  "C/2048 X13|    CK48X130",
    "C/2033 L89-C|    CK33L89c", "C/2088 A103|    CK88AA30", "C/1997 BA6|    CJ97B06A", "P/2023 BA|    PK23B00A",
    "A/2025 DZ619|    AK25Dz9Z", "P/2025 DA620|    P_PD0000"};
constexpr const char* kCometNumbered[] = {"1P|0001P       ", "3D|0003D       ", "116P|0116P       "};
constexpr const char* kTemporary[] = {"AB1023|     AB1023 ", "AB10234|     AB10234", "J95X00I|     J95X00I"};
const std::pair<Kind, std::span<const char* const>> kPublished[] = {{Kind::NumberedMinorPlanet, kNumbered},
                                                                    {Kind::ProvisionalMinorPlanet, kProvisional},
                                                                    {Kind::ProvisionalComet, kCometProvisional},
                                                                    {Kind::NumberedComet, kCometNumbered},
                                                                    {Kind::Temporary, kTemporary}};

TEST(Designation, PacksAndUnpacksThePublishedExamples) {
    for (const auto& [kind, examples] : kPublished)
        for (const std::string example : examples) {
            const std::string typed = example.substr(0, example.find('|')), columns = example.substr(typed.size() + 1);
            SCOPED_TRACE(typed);
            const auto packed = parseDesignation(typed);
            ASSERT_TRUE(packed) << packed.reason();
            EXPECT_EQ(packed->columns, columns);
            EXPECT_EQ(packed->kind, kind);
            EXPECT_EQ(packed->name, typed);
            const auto unpacked = unpackDesignation(columns);
            ASSERT_TRUE(unpacked) << unpacked.reason();
            EXPECT_EQ(unpacked->name, typed);
            EXPECT_EQ(unpacked->kind, kind);
        }
    EXPECT_EQ(displayName(*parseDesignation(" (433) ")), "(433)");
}

// Each breaks one rule of the MPC's pages: the letters I and Z, a cycle
// count with a leading zero, the range of each scheme, fragments, lengths.
constexpr const char* kMalformed[] = {
    "",         "   ",         "0",          "15396336",    "(12a)",       "2024 AI1",     "2024 IA",       "2024 ZA",
    "2024 AB0", "2024 AB012",  "2024 ab12",  "1920 AA",     "2009 AA620",  "2036 AA620",   "2026 CA591674", "0000 P-L",
    "2040 P-X", "C/1995 O620", "C/1995 O01", "C/1995 O1-b", "A/1995 O1-B", "C/1997 BA6-A", "Q/1995 O1",     "C/95 O1",
    "73P-B",    "10000P",      "0P",         "ABCDEFGH",    "AB CD",       "1ABC",         "J95X00A",       "PLS2040",
    "K25D_00"};

TEST(Designation, RefusesWhatCannotBePacked) {
    for (const char* typed : kMalformed) {
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
