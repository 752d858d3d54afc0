#pragma once
// The contacts register: horse owners, stable owners, veterinarians, farriers and the other
// contact types of the country data, one contact per line of text.
//
// Every contact is a line of eleven fields, each preceded by "%":
//   %Navn%Adresse1%Adresse2%Adresse3%Telefon%Email%Web%Mobiltelefon%Kontaktperson%Reserve%Kategori
// The lines are kept as they are and parsed on every query; the index of a line is the
// contact's number. Names are compared exactly and the first match wins.
//
// A field can hold neither "%" nor a line break: either would split the field or the line
// and shift every field after it. Lines are therefore made only by AdrRecToString, which
// puts a blank in place of each such character.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/record.h"

namespace stallora {

inline constexpr std::string_view kAdresseFilNavn = "HorseOwners.txt";

struct TAdrRec {
  std::string Navn{};
  std::string Adresse1{};  // street address
  std::string Adresse2{};  // postal code and place
  std::string Adresse3{};  // country or state
  std::string Telefon{};
  std::string Mobiltelefon{};
  std::string Email{};
  std::string Web{};
  std::string Kontaktperson{};
  std::string Reserve{};  // kept and written, never shown
  int32_t Kategori = 0;   // index into the country data's contact types; 0: no type

  bool operator==(const TAdrRec&) const = default;
};

// The line of a record. "%", CR and LF inside a field become blanks.
std::string AdrRecToString(const TAdrRec& rec);

// Parses a line. A leading "%" is dropped (a line without one starts with the name), the
// rest split at every "%" and assigned in line order. Fields a short line lacks stay empty;
// fields after the eleventh are ignored. Kategori is 0 unless its field is a decimal
// integer in range (blanks around it allowed).
TAdrRec StringToAdrRec(std::string_view line);

class TAdresser : public Record {
  STALLORA_RECORD(TAdresser)
 public:
  StringList AdresseListe;

  // Empty for an index outside the list.
  std::string GetName(int index) const;
  // The e-mail address of the first contact with exactly this name; empty when none.
  std::string GetEmail(std::string_view name) const;
  // 0 for an index outside the list.
  int32_t GetAdressatKategori(int index) const;
  bool DuplicateNameExists(std::string_view name) const;
  // True, with the first matching index, when a contact equals `rec` in every field but
  // Reserve; index is -1 otherwise.
  bool DuplicateExists(const TAdrRec& rec, int& index) const;
  // The first contact with this name and type (any type for 0); -1 when none.
  int GetAdresseNr(std::string_view name, int32_t kategori) const;
  // The record at GetAdresseNr, or the empty record.
  TAdrRec GetAdresseRecord(std::string_view name, int32_t kategori) const;
  StringList NameList() const;
  // The names of the contacts of this type; all names for 0.
  StringList SelectedNameList(int32_t kategori) const;

  void AddRecord(const TAdrRec& rec);
  // An index outside the list is ignored (false).
  bool UpdateRecord(int index, const TAdrRec& rec);
  bool DeleteRecord(int index);

  // The file's text: every line ended by CR LF.
  std::string FileText() const;
  // Replaces the lines by those of `bytes`. A line ends with CR LF, LF or a lone CR (so no
  // line holds a line-break character), and a last line needs no line end.
  void SetFileText(std::string_view bytes);

  // Writes all lines, through a temporary file; false (the old file intact, the reason in
  // `error`) on failure, and when the file changed since the register read or wrote it
  // (core/filestamp.h): another program's contacts are not replaced without asking.
  bool writeToFile(const std::filesystem::path& path, std::string* error = nullptr) const;
  // Whether the register holds exactly what it read from (or last wrote to) its file.
  bool UnchangedSinceRead() const { return fileStamp.Known() && fileStamp.SameBytes(FileText()); }
  // Replaces the lines with the file's when it can be read; otherwise keeps them (false,
  // with the reason in `error`).
  bool LoadfromFile(const std::filesystem::path& path, std::string* error = nullptr);
};

void RegisterAdresserClasses();

}  // namespace stallora
