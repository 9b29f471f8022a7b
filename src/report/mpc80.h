#pragma once
// The Minor Planet Center's 80-column report: header lines from the
// observer's settings, then one record of exactly 80 columns per
// observation.
//
//   1-12  packed designation (designation.h)   13  discovery asterisk
//   14    note                                  15  C for CCD, B for CMOS
//   16-32 UTC date "YYYY MM DD.dddddd"          33-44 RA "HH MM SS.ddd"
//   45-56 Dec "sDD MM SS.dd"                    57-65 blank
//   66-71 magnitude (point in column 68), band  72-77 blank
//   78-80 observatory code
//
// The position carries the digits its uncertainty justifies (precision.h):
// seconds of RA to 0.001s at most, of Dec to 0.01" at most; digits left out
// are blank, and the point too when no decimal remains ("+12 34 56   ").
// The date carries five decimals, six when the time's uncertainty justifies
// them. Column 72, the reference catalogue, stays blank: the MPC fills it
// from the NET line as it processes the batch.
//
// The header starts with COD, then CON (the contact's name, address and
// [e-mail]); OBS, MEA, TEL, NET, BND, COM, NUM, ACK and AC2 follow. No
// line is longer than 80 columns: CON, OBS and MEA continue on further
// lines with the keyword repeated, never breaking a name; TEL, ACK and AC2
// must fit on one.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "report/measurement.h"
#include "report/observer_settings.h"
#include "state/outcome.h"

namespace sextrix {

// One record, or why it cannot be written (the measurement's problem, a bad
// observatory code, a comet marked as a discovery, a field too wide).
Outcome<std::string> mpc80Line(const ReportedMeasurement& measurement, std::string_view station, Detector detector);

// The header of a batch; `ack` is the text of the ACK line, none when empty.
Outcome<std::vector<std::string>> mpc80Header(const ObserverSettings& settings,
                                              std::span<const ReportedMeasurement> measurements, std::string_view ack);

// Header and records, each line ended by CR LF; refused whole when any
// observation or the header cannot be written.
Outcome<std::string> mpc80Report(const ObserverSettings& settings, std::span<const ReportedMeasurement> measurements,
                                 std::string_view ack);

}  // namespace sextrix
