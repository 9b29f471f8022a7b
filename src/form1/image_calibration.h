#pragma once
// The calibration panel ("Etalonage", frm 4): the scale factors corrAsd and
// corrDec measured from three stars, in two ways that share the panel and
// its button.
//
// Both walk the steps of one ThreeStarCalibration (calibration/
// image_calibration.h), WorkingState::imageCalibration, and show its results.
//
// By image (menu "Etalonage par image"):
//   1. mnu_etalonage_Click opens the panel at star 1 (needs a loaded image).
//   2. A click on the picture picks star k (doselect fills X and Y); the user
//      types its right ascension and declination.
//   3. BoutonEtalo_Click records star k; after star 3 it computes, writes the
//      factors into txt_corrasd / txt_corrdec and closes the panel.
// Super calibration (menu "Super Etalonage", needs an accepted solution):
//   1. mnu_superetalonage_Click opens the panel at star 1.
//   2. Hovering a drawn catalogue star fills the boxes (etaloHoverStar), a
//      click keeps it (Picture1_Click), and BoutonEtalo_Click records it as
//      above.
#include "model/app.h"

namespace sextrix {

void mnu_etalonage_Click(App& app);
void mnu_superetalonage_Click(App& app);

// Records the star of the boxes as the calibration's next star; after the
// third star writes the factors and shows the result. A box that does not read, a star that
// cannot pair with an earlier one (the same coordinates, or picked too
// close), or three stars that cannot give the factors, ends with a message:
// the step, the boxes and the factors stay as they were.
void BoutonEtalo_Click(App& app);

// Typing aid of the boxes Etalo(index): the box that takes the focus after
// an edit, -1 to keep it. Two characters move on, except in the pixel boxes
// (0, 1), whose numbers often have three digits, and the seconds boxes
// (4, 7), whose decimals may follow.
int Etalo_Change(const Form1Model& form, int index);

// Super calibration: the boxes take the centre of marker star(i) and the
// catalogue position of star i, the declination as a sign label and unsigned
// degrees so that the recording gives back the star's own declination.
// Seconds are written with a point, as the recording reads them. Throws
// OverflowError when the position cannot be split (a scale factor of 0).
void etaloHoverStar(App& app, int i);

}  // namespace sextrix
