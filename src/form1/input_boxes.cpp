#include "input_boxes.h"

#include <string>

#include "geometry/angles.h"

namespace sextrix {
namespace {

// Replacing the comma changes the box again, which runs its change handler
// again: a pasted "1,2,3" ends as "1.2.3".
void commasToDots(TextBox& box) {
    while (box.text.find(',') != std::string::npos) CommaToDot(box);
}

}  // namespace

void txt_corrasd_Change(Form1Model& form) { commasToDots(form.txt_corrasd); }
void txt_corrdec_Change(Form1Model& form) { commasToDots(form.txt_corrdec); }
void txt_epoch_Change(Form1Model& form) { commasToDots(form.txt_epoch); }

void txt_dec_sign_Click(Form1Model& form, int index) {
    if (index < 0 || index > 3) return;
    // Each button sets the sign it shows: 0 and 1 that of the centre, 2 and 3
    // that of the calibration star.
    form.txt_dec_sign_show[index / 2].caption = form.txt_dec_sign[index].caption;
}

}  // namespace sextrix
