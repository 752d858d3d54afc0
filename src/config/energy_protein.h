#pragma once
// Energy and protein systems: which requirement model is used, on which energy basis and in
// which unit energy is shown, the feed-unit scaling factor, and crude or digestible protein.

#include <memory>
#include <string>
#include <vector>

#include "config/country_settings.h"
#include "config/enums.h"
#include "core/record.h"

namespace stallora {

// Unit relations used everywhere in the nutrition model.
inline constexpr double kMJPerMCal = 4.185;
inline constexpr double kMJPerKcal = 0.004185;
inline constexpr double kMEFromDE = 0.857;
inline constexpr double kNEFromDE = 0.6;
inline constexpr double kNEFromME = 0.7;
// MJ per feed unit for basis DE, ME, NE.
double MJPerFeedUnit(EnergiBasisType basis);

// The feed-unit label of a country: 31 "EWpa", 45 "fe", 47 "FEh", others "FU".
std::string EnhetsTekst(int countryNumber);
// "NRC2007", "EURO", "DUTCH".
std::string SystemDisplayName(TEnergiBeregning system);
// "fordøjelig energi", "omsættelig energi", "nettoenergi" (Windows-1252).
const std::string& BasisDisplayName(EnergiBasisType basis);

// "Energiberegningssystem: ..." CR "Energienhed: ..." and, for a factor other than 1,
// CR " (*factor)": the description of an energy record, shared by the energy/protein
// objects and the feed lists.
std::string EnergyDescription(TEnergiBeregning system, EnergiBasisType basis, EnergiEnhetstype unit, double factor,
                              const CountrySettings& settings, char decimalSeparator);

// Converts an energy value between bases, units and feed-unit factors.
double ConvertEnergy(double value, EnergiBasisType fromBasis, EnergiEnhetstype fromUnit, double fromFactor,
                     EnergiBasisType toBasis, EnergiEnhetstype toUnit, double toFactor);

class TEnergyProteinObj : public Record {
  STALLORA_RECORD(TEnergyProteinObj)
 public:
  std::string Navn;
  int32_t CountryNo = 0;
  TEnergiBeregning Energiberegning = TEnergiBeregning::nrc2007;
  EnergiBasisType EnergiBasis = EnergiBasisType::DE;
  EnergiEnhetstype EnergiEnhet = EnergiEnhetstype::MCal;
  double EnergiFaktor = 1.0;
  TProteinBeregning ProteinBeregning = TProteinBeregning::CP;

  std::unique_ptr<TEnergyProteinObj> Kopi() const;

  // Makes this the active object's view of the nutrient table: the unit of nutrient 0
  // becomes this object's energy unit text. (The start-up and the preferences dialog also
  // set the protein name; see ApplyActiveEnergyObject.)
  void Bruk(CountrySettings& settings, int countryNumber) const;

  // A value expressed in (basis, unit, factor), converted into this object's.
  double KonverterEnergi(double value, EnergiBasisType basis, EnergiEnhetstype unit, double factor) const;

  // The unit text of this object's energy unit ("MCal", "MJ" or the feed-unit label).
  std::string UnitText(int countryNumber) const;

  std::string Beskrivelse(const CountrySettings& settings, char decimalSeparator) const;
  std::string BeskrivelseLinje(const CountrySettings& settings) const;
  std::string BeskrivelseKort(const CountrySettings& settings) const;
};

class TEnProList : public Record {
  STALLORA_RECORD(TEnProList)
 public:
  std::string EPListeNavn;
  std::vector<std::unique_ptr<TEnergyProteinObj>> Liste;

  int Antall() const { return static_cast<int>(Liste.size()); }
  TEnergyProteinObj* Element(int i) const;
  std::vector<std::string> Navneliste() const;
  // The first object of country n; 44 means 353 when the currency symbol is the euro sign.
  TEnergyProteinObj* FinnLand(int n, const std::string& currencySymbol) const;
  // The first object with exactly this name; none for an empty name.
  TEnergyProteinObj* FinnNavn(const std::string& name) const;
  void Fjern(const TEnergyProteinObj* obj);
  TEnergyProteinObj& Add(std::unique_ptr<TEnergyProteinObj> obj);

  // Throws ObjTextError with the reader's message.
  void LoadfromFile(const std::filesystem::path& path);
  void writeToFile(const std::filesystem::path& path) const;

  std::vector<const Record*> Children() const override;
  std::unique_ptr<Record> AdoptChild(std::unique_ptr<Record> child, LoadContext& ctx) override;
};

// Registers the record classes of the energy systems (and the other configuration records).
void RegisterConfigClasses();

// Makes a copy of `obj` the active object's view of the tables: the energy unit of nutrient 0
// and the name of nutrient 1 (the protein type name).
void ApplyActiveEnergyObject(const TEnergyProteinObj& obj, CountrySettings& settings, int countryNumber);

// The start-up choice of the active object: the object named `lastName` when the list has
// it; else the object of the country; then the settings file's name may pick another
// country's object (FIN.INI 358, ENA.INI 66, ENI.INI 353 with a message, ENU.INI/ENC.INI 1).
// When nothing matches, the first object of the list, or, for an empty list, the built-in
// NRC 2007 object (DE, MCal, factor 1, crude protein). `notice` receives the "selected"
// message when one is due.
std::unique_ptr<TEnergyProteinObj> ChooseActiveEnergyObject(const TEnProList& list, const std::string& lastName,
                                                            int countryNumber, const std::string& settingsFilePath,
                                                            const std::string& currencySymbol, std::string* notice);

}  // namespace stallora
