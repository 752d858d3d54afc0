#pragma once
// Small record classes that exercise every property kind of the object text format. They
// mirror the shape of the program's stable and feed list records and live in a registry
// of their own so they never meet the program's classes.

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/record.h"

namespace stallora::testing {

enum class Energi : uint8_t { nrc2007, fransk, dutch };
inline constexpr std::string_view kEnergiNames[] = {"nrc2007", "fransk", "dutch"};
constexpr std::span<const std::string_view> EnumValueNames(Energi) { return kEnergiNames; }

enum class Basis : uint8_t { DE, ME, NE };
inline constexpr std::string_view kBasisNames[] = {"DE", "ME", "NE"};
constexpr std::span<const std::string_view> EnumValueNames(Basis) { return kBasisNames; }

enum class Enhet : uint8_t { MCal, MJ, fe };
inline constexpr std::string_view kEnhetNames[] = {"MCal", "MJ", "fe"};
constexpr std::span<const std::string_view> EnumValueNames(Enhet) { return kEnhetNames; }

enum class Protein : uint8_t { CP, DCP };
inline constexpr std::string_view kProteinNames[] = {"CP", "DCP"};
constexpr std::span<const std::string_view> EnumValueNames(Protein) { return kProteinNames; }

class TFeed : public Record {
  STALLORA_RECORD(TFeed)
 public:
  std::string Fornavn;
  double Pris = 0;
  uint8_t Fortype = 0;
  std::string analyses;  // extra property "Analyser"

  std::string WriteAnalyser() const { return analyses; }
  void ReadAnalyser(std::string_view bytes);
};

class TList : public Record {
  STALLORA_RECORD(TList)
 public:
  std::string ForlisteNavn;
  int32_t SpraakNr = 0;
  double Versjon = 0;
  bool ForBlanding = false;
  int32_t Forblandingstype = 0;
  int32_t DyreartNr = 0;
  bool Endret = false;
  Energi EnergiBeregning = Energi::nrc2007;
  Basis EnergiBasis = Basis::DE;
  Enhet EnergiEnhet = Enhet::MCal;
  double EnergiFaktor = 1;
  Protein ProteinType = Protein::CP;
  int32_t GarantiForlisteVersjon = 0;
  bool ErGarantiForliste = false;

  std::vector<std::unique_ptr<TFeed>> feeds;
  std::vector<const Record*> Children() const override;
  std::unique_ptr<Record> AdoptChild(std::unique_ptr<Record> child, LoadContext& ctx) override;
};

class TStable : public Record {
  STALLORA_RECORD(TStable)
 public:
  TStable();
  std::string stallNavn;
  int32_t StallNoMeals = 4;
  StringList SFTider;
  bool ErModellHestStall = false;
  std::string notes;  // extra property "DiverseOpplysninger"
  std::unique_ptr<TList> list = std::make_unique<TList>();

  std::string WriteNotes() const { return notes; }
  void ReadNotes(std::string_view bytes) { notes.assign(bytes); }
  std::vector<const Record*> Children() const override { return {list.get()}; }
  std::unique_ptr<Record> AdoptChild(std::unique_ptr<Record> child, LoadContext& ctx) override;
};

// A derived class: its base's properties come first.
class TStableWithExtras : public TStable {
  STALLORA_RECORD(TStableWithExtras)
 public:
  std::string Kode;  // short string of at most 8 bytes
  Picture Bilde;
  int32_t Antal = 0;
  double Dato = 0;
  uint8_t Type = 0;  // subrange 0..11
};

// A registry holding the classes above (with the names their files use).
const ClassRegistry& TestRegistry();

}  // namespace stallora::testing
