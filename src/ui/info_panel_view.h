#pragma once
// Shows the information panel's rich text in a QTextEdit.
#include <QTextEdit>

#include "state/rich_text_panel.h"

namespace sextrix::ui {

// Re-renders only when the panel differs from `shown`, the copy last shown.
void showInfoPanel(QTextEdit* view, const RichTextPanel& panel, RichTextPanel& shown);

}  // namespace sextrix::ui
