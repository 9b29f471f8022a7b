#include "download_queries.h"

#include <cmath>

#include "geometry/angles.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

std::string joined(const Dms& dms, bool unsignedDegrees) {
    const long long degrees = unsignedDegrees ? std::abs(static_cast<long long>(dms.degrees)) : dms.degrees;
    return intToText(degrees) + "+" + intToText(dms.minutes) + "+" +
           intToText(static_cast<long long>(roundHalfEven(dms.seconds)));
}

}  // namespace

std::string raQueryText(double hours) { return joined(DegToDms(hours), false); }

std::string decQueryText(double degrees, const std::string& signText) {
    return signText + joined(DegToDms(degrees), true);
}

std::string usnoaQuery(const std::string& epoch, const std::string& ra, const std::string& dec,
                       const std::string& radmax, const std::string& magfaint) {
    return "/skycat/servers/usnoa_res?catalogue=usnoa&epoch=" + epoch + "&chart=0&ra=" + ra + "&dec=" + dec +
           "&object=&radmax=" + radmax + "&magbright=0&magfaint=" + magfaint + ".&format=2&sort=mr&nout=5000";
}

std::string mpcheckQuery(const std::string& year, const std::string& month, const std::string& day,
                         const std::string& ra, const std::string& decl, const std::string& radius,
                         const std::string& limit) {
    return "/~cgi/MPCheck.COM?year=" + year + "&month=" + month + "&day=" + day + "&which=pos&ra=" + ra +
           "&decl=" + decl + "&TextArea=&radius=" + radius + "&limit=" + limit +
           "&oc=500&sort=d&mot=h&tmot=s&pdes=u&needed=f&ps=n&type=p";
}

double dayWithFraction(double day, double hour, double minute) {
    const double fraction = (minute + hour * 60) / 60 / 24;
    return day + roundHalfEven(fraction * 100) / 100;
}

}  // namespace sextrix
