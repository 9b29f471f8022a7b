#include "status.h"

namespace sextrix {

void AddStatus(Form1Model& form, EventLoop& events, const std::string& line) {
    form.Frm6.visible = false;
    form.status.items.insert(form.status.items.begin(), line);
    events.yield();
}

void SetStatusLight(Form1Model& form, Int16 flag) {
    form.icoR.visible = false;
    form.icoG.visible = false;
    if (flag == kTrue)
        form.icoG.visible = true;
    else
        form.icoR.visible = true;
}

}  // namespace sextrix
