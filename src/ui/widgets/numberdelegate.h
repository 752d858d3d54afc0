#pragma once
// The editor of a number cell in the windows' tables: digits with at most `decimals`
// decimals after a point or a comma, right-aligned. What the number means (kg or grams, its
// range) is the model's and the editor's business; the delegate only keeps letters out.

#include <QStyledItemDelegate>

namespace stallora {

class NumberDelegate : public QStyledItemDelegate {
 public:
  NumberDelegate(int digits, int decimals, QObject* parent);
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  QString pattern_;
};

}  // namespace stallora
