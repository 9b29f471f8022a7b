#include "model_binding.h"

namespace sextrix::ui {
namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }

void setVisible(QWidget* widget, bool visible) {
    // Only widgets whose parent is shown report isVisible(); compare the flag.
    if (widget->isHidden() == visible) widget->setVisible(visible);
}

// Captions use "&" for mnemonics in the menus only; in other captions a
// lone "&" is shown as it is.
QString plainCaption(const std::string& s) { return q(s).replace("&", "&&"); }
}  // namespace

void ModelBinding::bind(QLineEdit* widget, TextBox& box, std::function<void()> onEdit) {
    QObject::connect(widget, &QLineEdit::textEdited, widget, [this, widget, &box, onEdit](const QString& text) {
        box.text = text.toStdString();
        box.selStart = widget->cursorPosition();
        if (onEdit) onEdit();
        if (afterHandler) afterHandler();
    });
    refreshers_.push_back([widget, &box] {
        if (widget->text() != q(box.text)) {
            widget->setText(q(box.text));
            widget->setCursorPosition(box.selStart);
        }
        widget->setEnabled(box.enabled);
        setVisible(widget, box.visible);
    });
}

void ModelBinding::bind(QCheckBox* widget, CheckBox& box, std::function<void()> onClick) {
    QObject::connect(widget, &QCheckBox::clicked, widget, [this, widget, &box, onClick] {
        box.value = widget->isChecked() ? 1 : 0;
        if (onClick) onClick();
        if (afterHandler) afterHandler();
    });
    refreshers_.push_back([widget, &box] {
        if (widget->text() != plainCaption(box.caption)) widget->setText(plainCaption(box.caption));
        const Qt::CheckState state = box.value == 1   ? Qt::Checked
                                     : box.value == 2 ? Qt::PartiallyChecked
                                                      : Qt::Unchecked;
        if (widget->checkState() != state) widget->setCheckState(state);
        widget->setEnabled(box.enabled);
        setVisible(widget, box.visible);
    });
}

void ModelBinding::bind(QComboBox* widget, ListBox& list, std::function<void()> onChoose) {
    QObject::connect(widget, &QComboBox::activated, widget, [this, &list, onChoose](int row) {
        list.selected = row;
        if (onChoose) onChoose();
        if (afterHandler) afterHandler();
    });
    refreshers_.push_back([widget, &list] {
        const QSignalBlocker quiet(widget);
        if (widget->count() != static_cast<int>(list.items.size())) {
            widget->clear();
            for (const std::string& item : list.items) widget->addItem(q(item));
        }
        if (widget->currentIndex() != list.selected) widget->setCurrentIndex(list.selected);
    });
}

void ModelBinding::bind(QLabel* widget, Label& label) {
    refreshers_.push_back([widget, &label] {
        // The suggestion line separates its advice with CR.
        QString text = q(label.caption);
        text.replace('\r', '\n');
        if (widget->text() != text) widget->setText(text);
        setVisible(widget, label.visible);
    });
}

void ModelBinding::bind(QPushButton* widget, Button& button) {
    refreshers_.push_back([widget, &button] {
        if (widget->text() != plainCaption(button.caption)) widget->setText(plainCaption(button.caption));
        widget->setEnabled(button.enabled);
        setVisible(widget, button.visible);
    });
}

void ModelBinding::bind(QGroupBox* widget, Frame& frame) {
    refreshers_.push_back([widget, &frame] {
        if (widget->title() != plainCaption(frame.caption)) widget->setTitle(plainCaption(frame.caption));
        setVisible(widget, frame.visible);
    });
}

void ModelBinding::bind(QAction* widget, MenuItem& item) {
    refreshers_.push_back([widget, &item] {
        if (widget->text() != q(item.caption)) widget->setText(q(item.caption));
        widget->setEnabled(item.enabled);
    });
}

void ModelBinding::bindVisible(QWidget* widget, const bool& visible) {
    refreshers_.push_back([widget, &visible] { setVisible(widget, visible); });
}

void ModelBinding::refresh() {
    if (refreshing_) return;
    refreshing_ = true;
    for (auto& refresher : refreshers_) refresher();
    refreshing_ = false;
}

}  // namespace sextrix::ui
