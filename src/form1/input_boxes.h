#pragma once
// Change and click handlers of the main window's input boxes.
#include "model/form1_model.h"

namespace sextrix {

// Change handlers of the scale and epoch boxes: a decimal comma typed or
// pasted becomes a point at once.
void txt_corrasd_Change(Form1Model& form);
void txt_corrdec_Change(Form1Model& form);
void txt_epoch_Change(Form1Model& form);

// Sign buttons of the centre (0 "-", 1 "+") and of the calibration star
// (2 "+", 3 "-"): each sets the sign of its caption. Other indexes do nothing.
void txt_dec_sign_Click(Form1Model& form, int index);

}  // namespace sextrix
