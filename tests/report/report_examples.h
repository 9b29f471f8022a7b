#pragma once
// What the report tests share: the observer of the first header on the
// MPC's page of observational details, and a measurement made from values.
#include "obstime/utc_time.h"
#include "report/measurement.h"
#include "report/observer_settings.h"

namespace sextrix {

inline ObserverSettings mpcExampleObserver() {
    ObserverSettings s;
    s.station = "500", s.contactName = "S. Holmes", s.contactAddress = "221B Baker Street, London NW1 4JW, England";
    s.contactEmail = "sholmes@mycroft.holmes.gov.uk", s.observers = {"H. Poirot", "P. Mason", "L. Columbo", "C. Chan"};
    s.measurers = {"J. Watson"}, s.apertureMetres = 0.5, s.focalRatio = 3, s.telescopeDesign = "reflector";
    s.acknowledgementEmails = "dwatson@mycroft.holmes.gov.uk";
    return s;
}

inline ReportedMeasurement measured(const char* designation, CalendarTime time, double ra, double dec, double rms) {
    ReportedMeasurement m;
    m.designation = *parseDesignation(designation);
    m.mjdUtc = mjdOf(time), m.raDeg = ra, m.decDeg = dec, m.rmsRaArcsec = m.rmsDecArcsec = rms;
    return m;
}

}  // namespace sextrix
