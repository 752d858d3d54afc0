#pragma once
// Day numbers and the date controls of the horse window.

#include <QDate>
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

}  // namespace stallora
