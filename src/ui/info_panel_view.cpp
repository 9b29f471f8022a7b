#include "info_panel_view.h"

#include <QTextCursor>

namespace sextrix::ui {

void showInfoPanel(QTextEdit* view, const RichTextPanel& panel, RichTextPanel& shown) {
    if (panel.text == shown.text && panel.formats == shown.formats) return;
    shown = panel;
    view->clear();
    QTextCursor cursor(view->document());
    for (const RichTextSpan& span : spans(panel)) {
        QTextCharFormat format;
        format.setFontWeight(span.format.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(span.format.italic);
        format.setFontUnderline(span.format.underline);
        format.setFontPointSize(span.format.sizePoints);
        const PackedColour c = span.format.colour;
        format.setForeground(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
        // The reports end their lines with CR LF; the document wants one break.
        QString text = QString::fromStdString(span.text);
        text.replace("\r\n", "\n").replace('\r', '\n');
        cursor.insertText(text, format);
    }
    view->moveCursor(QTextCursor::Start);
}

}  // namespace sextrix::ui
