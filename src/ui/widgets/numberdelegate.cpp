#include "ui/widgets/numberdelegate.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace stallora {

NumberDelegate::NumberDelegate(int digits, int decimals, QObject* parent)
    : QStyledItemDelegate(parent), pattern_(QString("^\\d{0,%1}([.,]\\d{0,%2})?$").arg(digits).arg(decimals)) {}

QWidget* NumberDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
  (void)option;
  (void)index;
  auto* edit = new QLineEdit(parent);
  edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern_), edit));
  edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return edit;
}

}  // namespace stallora
