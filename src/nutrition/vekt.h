#pragma once
// Weighings of an animal and the list that keeps them.
//
// A weighing is a record of its own (it can be saved to and read from its own file). The
// list writes all its weighings as one extra property "Vekter": one text line per
// weighing, "dd-mm-yyyy" + "x" + the weight rounded to whole kilograms in a six-wide
// column, each line ended by CR LF. Weights and dates that such a line cannot carry are
// refused when writing, so a saved file always reads back.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/daynum.h"
#include "core/record.h"

namespace stallora {

class TVekt : public Record {
  STALLORA_RECORD(TVekt)
 public:
  TVekt() = default;
  TVekt(double vekt, DayNumber dato) : Dato(dato), Vekt(vekt) {}

  DayNumber Dato = 0;
  double Vekt = 0;  // kg

  void writeToFile(const std::filesystem::path& path) const;
  void LoadfromFile(const std::filesystem::path& path, const ClassRegistry& registry = ClassRegistry::Global());
};

class TVektListe : public Record {
  STALLORA_RECORD(TVektListe)
 public:
  int Antall() const { return static_cast<int>(vekter_.size()); }
  // nullptr when i is outside 0 .. Antall() - 1.
  TVekt* Element(int i);
  const TVekt* Element(int i) const;

  TVekt& LeggTil(double vekt, DayNumber dato);

  // The last weighing in sequence order; nullptr when the list is empty.
  TVekt* Siste();
  const TVekt* Siste() const;
  // The weighing with the latest date; among equal dates the first in sequence order.
  TVekt* Nyeste();
  const TVekt* Nyeste() const;
  // The weighing with the highest weight; among equal weights the first in sequence order.
  TVekt* Tyngste();
  const TVekt* Tyngste() const;

  // Ascending by date; weighings of the same date keep their order.
  void SorterDato();
  void Tom() { vekter_.clear(); }

  // Sum of truncated weights and truncated dates, wrapping at 32 bits like every change
  // fingerprint; part of the horse's fingerprint.
  int32_t EndringsSum() const;

  // The "Vekter" bytes. Throws ObjTextError for a weighing whose weight is not finite or
  // whose date lies outside the years 1 to 9999: such a line could not be read back.
  std::string WriteVekter() const;
  // Appends one weighing per non-blank line. A line whose date or weight cannot be read
  // throws ObjTextError naming the line; the weighings of the lines before it stay.
  void ReadVekter(std::string_view bytes);

 private:
  std::vector<std::unique_ptr<TVekt>> vekter_;
};

// "TVekt" and "TVektListe".
void RegisterVektClasses(ClassRegistry& registry = ClassRegistry::Global());

}  // namespace stallora
