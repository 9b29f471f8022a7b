#include "table_cells.h"

namespace sextrix::ui {

NumberCell::NumberCell(const QString& shown, double value) : QTableWidgetItem(shown), value_(value) {
    setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

bool NumberCell::operator<(const QTableWidgetItem& other) const {
    if (const auto* number = dynamic_cast<const NumberCell*>(&other)) return value_ < number->value_;
    return QTableWidgetItem::operator<(other);
}

QTableWidgetItem* tableCell(const std::string& text, std::optional<double> value) {
    const QString shown = QString::fromStdString(text);
    QTableWidgetItem* item = value ? new NumberCell(shown, *value) : new QTableWidgetItem(shown);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace sextrix::ui
