#pragma once
// A horse's ration judged against its requirement, nutrient by nutrient, and the dry-matter,
// roughage, grazing and salt rules around it.

#include <string>

#include "core/texts.h"
#include "nutrition/hest.h"

namespace stallora {

inline constexpr Text kTooLittleRoughage{"ration.toolittleroughage", "For lidt grovfoder. Forøg mængden!"};
inline constexpr Text kRoughageAcceptable{"ration.roughageok", "Grovfodermængde acceptabel"};
inline constexpr Text kTooMuchFeed{"ration.toomuchfeed", "For stor totalfodermængde. Reducer mængden!"};

// Upper-limit factors per nutrient (per kg of the intake base d).
double UpperLimitFactor(int nutrient);
// The safety margin of a nutrient.
double RequirementMargin(int nutrient);
// The intake base d: body weight times the intake fraction of the category and work.
double IntakeBase(const THest& h);

// Fills Tilforsel, Differanse, MaksGrense, MinGrense and UtenforOmrade. Does nothing while
// the requirement is empty (all zero).
void BeregnTilforsel(THest& h);

double MaksTorrstoff(const THest& h);
double MinGrovfor(const THest& h);
// The verdict on roughage and total feed; the ration page shows the first and third in red.
enum class RoughageVerdict { TooLittleRoughage, Acceptable, TooMuchFeed };
RoughageVerdict GrovforVurdering(const THest& h);
std::string Grovforvurdering(const THest& h);
bool ForLiteSalt(const THest& h);
double Beitetimer(const THest& h);
double BeiteTorrstoff(const THest& h);
// Gives the first grazing feed of the ration the kg that the grazing dry matter comes to;
// returns them (0 without a grazing feed, or when the pasture feed has no dry matter, whose
// amount then stays as it is).
double SettBeitemengde(THest& h);

}  // namespace stallora
