#include "reported_target.h"

namespace sextrix {

ReportedMeasurement reportedTarget(const TargetMeasurement& target, const Designation& designation, double mjdUtc,
                                   Catalogue catalogue) {
    ReportedMeasurement m;
    m.designation = designation;
    m.mjdUtc = mjdUtc;
    m.raDeg = target.raDeg;
    m.decDeg = target.decDeg;
    m.rmsRaArcsec = target.sigmaRaCosDecArcsec;
    m.rmsDecArcsec = target.sigmaDecArcsec;
    m.catalogue = catalogue;
    m.signalToNoise = target.snr;
    if (target.mag) m.photometry = Photometry{*target.mag, catalogueBand(catalogue), target.sigmaMag, catalogue};
    return m;
}

}  // namespace sextrix
