#pragma once
// Table cells of the program's lists: read-only text, and numbers that keep
// the text shown (its decimals, its separator) and sort by their value.
#include <QTableWidgetItem>

#include <optional>
#include <string>

namespace sextrix::ui {

class NumberCell : public QTableWidgetItem {
public:
    NumberCell(const QString& shown, double value);
    bool operator<(const QTableWidgetItem& other) const override;

private:
    double value_;
};

// A read-only cell; one that sorts by `value` when there is one.
QTableWidgetItem* tableCell(const std::string& text, std::optional<double> value);

}  // namespace sextrix::ui
