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
    switch (index) {
        case 0: form.txt_dec_sign_show[0].caption = "-"; break;
        case 1: form.txt_dec_sign_show[0].caption = "+"; break;
        case 2: form.txt_dec_sign_show[1].caption = "-"; break;
        case 3: form.txt_dec_sign_show[1].caption = "+"; break;
        default: break;
    }
}

}  // namespace sextrix
