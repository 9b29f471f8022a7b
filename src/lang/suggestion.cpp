#include "suggestion.h"

#include "state/text_number.h"

namespace sextrix {
namespace {

// The caption for a finished calculation: too few or too many candidates,
// then too many or too few catalogue stars.
void captionAfterCalculation(Label& label, const LanguageTables& t, double candidates,
                             double catalogueStars) {
    const std::string cr = "\r";
    if (candidates < 100)
        label.caption = t.suggestionTexts[1] + cr;
    else if (candidates > 100)
        label.caption = t.suggestionTexts[2] + cr;
    if (catalogueStars > 300)
        label.caption += t.suggestionTexts[3] + cr;
    else if (catalogueStars < 100)
        label.caption += t.suggestionTexts[4] + cr;
}

}  // namespace

void ShowSuggestion(App& app, const std::string& key, Int16 step, const std::string& a,
                    const std::string& b) {
    Label& label = app.form1.sugestion;
    const auto& s = app.ctx.lang.suggestionTexts;
    if (key == "calcul") {
        if (step == -1) {
            label.caption = s[5];
        } else if (step == 0) {
            const char sep = app.ctx.decimalSeparator;
            captionAfterCalculation(label, app.ctx.lang, parseStrictNumber(a, sep),
                                    parseStrictNumber(b, sep));
        }
    } else if (key == "superetalonage") {
        if (step >= 0)
            label.caption = s[6];
        else if (step == -1)
            label.caption = s[7];
    } else if (key == "etalonage") {
        if (step < 1)
            label.caption = s[8];
        else if (step == 1)
            label.caption = s[9];
    } else if (key == "selectstar") {
        if (step == 1)
            label.caption = s[10];
        else if (step == 2)
            label.caption = s[11];
    } else if (key == "open") {
        label.caption = s[12];
    } else if (key == "fullmapannuler") {
        label.caption = s[13];
    } else if (key == "calculannuler") {
        label.caption = s[14];
    } else if (key == "softupdate") {
        label.caption = s[15];
    }
    app.form1.Timer2.enabled = true;
}

void Timer2_Timer(Form1Model& form) {
    form.ws.blinkCount = static_cast<Int16>(form.ws.blinkCount + 1);
    if (form.ws.blinkCount >= 11) {
        form.ws.blinkCount = 0;
        form.Timer2.enabled = false;
    } else {
        form.Picture2[0].visible = !form.Picture2[0].visible;
    }
}

}  // namespace sextrix
