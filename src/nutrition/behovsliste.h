#pragma once
// The requirement list: per nutrient, one requirement formula per animal category.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/environment.h"
#include "core/record.h"

namespace stallora {

class THest;

class TBehovsobj : public Record {
  STALLORA_RECORD(TBehovsobj)
 public:
  int32_t NutrientNo = 0;
  std::string GlobalNutrientName;
  // One formula per category: Ungdyr, Vedlikehold, Trening, Drektig, Lakterende, Avlsdyr.
  StringList Behovsstrenger;

  void writeToFile(const std::filesystem::path& path) const;
  void LoadFromFile(const std::filesystem::path& path);
};

class TBehovsListe : public Record {
  STALLORA_RECORD(TBehovsListe)
 public:
  explicit TBehovsListe(const RecordEnvironment& env = RecordEnvironment::Default());
  explicit TBehovsListe(const LoadContext& ctx) : TBehovsListe(RecordEnvironment::Of(ctx)) {}

  std::string BehovslisteNavn = "Test-liste";
  int32_t SpraakNr = 0;
  double Versjon = 0;
  DayNumber EndretDato = 0;
  int32_t DyreartNr = 0;

  int Antall() const { return static_cast<int>(items_.size()); }
  TBehovsobj* Element(int i) const;
  TBehovsobj& Add(std::unique_ptr<TBehovsobj> obj);
  std::vector<std::string> Navneliste() const;

  // Throws ObjTextError with the reader's message.
  void LoadfromFile(const std::filesystem::path& path);
  void writeToFile(const std::filesystem::path& path) const;

  // The formula step: BasisBehov[NutrientNo] of every object from the formula of the
  // horse's category (training with no work counts as maintenance); 0 for a formula that
  // fails, an arithmetic fault (division by zero and the like) included, so the rest of the
  // computation goes on. Returns false when any formula failed on an arithmetic fault, with
  // the first such message; every such fault is added to the horse's formulaFaults.
  bool BeregnFormler(THest& hest, std::string* arithmeticError = nullptr) const;

  std::vector<const Record*> Children() const override;
  std::unique_ptr<Record> AdoptChild(std::unique_ptr<Record> child, LoadContext& ctx) override;

 private:
  std::vector<std::unique_ptr<TBehovsobj>> items_;
};

void RegisterBehovsListeClasses();

}  // namespace stallora
