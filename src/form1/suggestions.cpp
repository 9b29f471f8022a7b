#include "suggestions.h"

#include "lang/suggestion.h"

namespace sextrix {

void ShowSuggestion(App& app, const std::string& key, Int16 step, const std::string& a, const std::string& b) {
    Label& label = app.form1.sugestion;
    label.caption = suggestionCaption(app.ctx.lang, label.caption, key, step, a, b, app.ctx.decimalSeparator);
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
