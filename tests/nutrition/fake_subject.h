#pragma once
// An animal whose every formula variable is set directly, for the formula tests.

#include "nutrition/uttrykk.h"

namespace stallora::testing {

struct FakeSubject : FormulaSubject {
  double bw = 500;
  int mop = 0;
  int mol = 0;
  int age = 60;
  double adg = 0;
  int ti = 0;
  bool yhtrained = false;
  double milk = 0;
  double sweat = 0;
  int maintlevel = 1;
  double behov[24] = {};

  double BodyWeight() const override { return bw; }
  int PregnancyMonth() const override { return mop; }
  int LactationMonth() const override { return mol; }
  int AgeMonths() const override { return age; }
  double ExpectedDailyGain() const override { return adg; }
  int TrainingIntensity() const override { return ti; }
  bool YoungHorseTrained() const override { return yhtrained; }
  double MilkProduction() const override { return milk; }
  double SweatLoss() const override { return sweat; }
  int MaintenanceLevel() const override { return maintlevel; }
  double Requirement(int n) const override { return n >= 0 && n < 24 ? behov[n] : 0; }
};

}  // namespace stallora::testing
