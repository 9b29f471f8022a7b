#pragma once
// The centre boxes of the main window typed in, as a person types them:
// hours, minutes, seconds; the sign's button; degrees, minutes, seconds; the
// epoch.
#include <array>

#include "model/form1_model.h"

namespace sextrix::testing {

struct CentreFields {
    std::array<const char*, 3> ra;
    const char* sign;
    std::array<const char*, 3> dec;
    const char* epoch = "2000.0";
};

inline void typeCentre(Form1Model& form, const CentreFields& fields) {
    for (int i = 0; i < 3; ++i) {
        form.txt_ra[i].text = fields.ra[i];
        form.txt_dec[i].text = fields.dec[i];
    }
    form.txt_dec_sign_show[0].caption = fields.sign;
    form.txt_epoch.text = fields.epoch;
}

}  // namespace sextrix::testing
