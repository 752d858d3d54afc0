#pragma once
// Day numbers and the date controls of the windows: day numbers to and from QDate, a date
// field as every window shows it (dd-MM-yyyy, with a calendar), set without announcing it.

#include <QDate>
#include <QDateEdit>
#include <QSignalBlocker>
#include <cmath>

#include "core/daynum.h"

namespace stallora {

inline QDate QDateFromDay(DayNumber day) {
  const CivilDate d = DecodeDate(std::floor(day));
  return QDate(d.year, d.month, d.day);
}

inline DayNumber DayFromQDate(const QDate& date) {
  if (!date.isValid()) return 0;
  return EncodeDate(date.year(), date.month(), date.day());
}

// Sets a date control without announcing it as the user's change.
inline void SetDate(QDateEdit* edit, DayNumber day) {
  const QSignalBlocker block(edit);
  edit->setDate(QDateFromDay(day));
}

inline QDateEdit* NewDateEdit(QWidget* parent, const char* name) {
  auto* d = new QDateEdit(parent);
  d->setObjectName(name);
  d->setCalendarPopup(true);
  d->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
  d->setMinimumDate(QDate(1900, 1, 1));
  return d;
}

}  // namespace stallora
