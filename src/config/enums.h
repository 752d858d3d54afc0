#pragma once
// The enumerations stored in record files by the names below (object text identifiers),
// shared by the country settings, the energy systems, the feed lists and the horse record.

#include <cstdint>
#include <span>
#include <string_view>

namespace stallora {

#define STALLORA_ENUM_NAMES(Type, ...)                                               \
  inline constexpr std::string_view k##Type##Names[] = {__VA_ARGS__};                \
  constexpr std::span<const std::string_view> EnumValueNames(Type) { return k##Type##Names; }

// Animal category; selects the requirement model.
enum class TDyreKategori : uint8_t { Ungdyr, Vedlikehold, Trening, Drektig, Lakterende, Avlsdyr, Udefinert };
STALLORA_ENUM_NAMES(TDyreKategori, "Ungdyr", "Vedlikehold", "Trening", "Drektig", "Lakterende", "Avlsdyr",
                    "Udefinert")

enum class TKjonn : uint8_t { Hann, Hunn, Kastrert };
STALLORA_ENUM_NAMES(TKjonn, "Hann", "Hunn", "Kastrert")

enum class TBlodsType : uint8_t { ColdBlood, WarmBlood, FullBlood };
STALLORA_ENUM_NAMES(TBlodsType, "ColdBlood", "WarmBlood", "FullBlood")

enum class TArbeidsIntensitet : uint8_t { Lett, Moderat, Hard, Intens, Arbudef };
STALLORA_ENUM_NAMES(TArbeidsIntensitet, "Lett", "Moderat", "Hard", "Intens", "Arbudef")

enum class TUngDyrTrening : uint8_t { YoungNoTraining, YoungSlightTraining, YoungMediumTraining, YoungMaxTraining };
STALLORA_ENUM_NAMES(TUngDyrTrening, "YoungNoTraining", "YoungSlightTraining", "YoungMediumTraining",
                    "YoungMaxTraining")

enum class TWeightGainRate : uint8_t { Normal, Fast };
STALLORA_ENUM_NAMES(TWeightGainRate, "Normal", "Fast")

// Requirement model.
enum class TEnergiBeregning : uint8_t { nrc2007, fransk, dutch };
STALLORA_ENUM_NAMES(TEnergiBeregning, "nrc2007", "fransk", "dutch")

// Energy basis: digestible, metabolisable, net energy.
enum class EnergiBasisType : uint8_t { DE, ME, NE };
STALLORA_ENUM_NAMES(EnergiBasisType, "DE", "ME", "NE")

// Energy unit; fe is feed units.
enum class EnergiEnhetstype : uint8_t { MCal, MJ, fe };
STALLORA_ENUM_NAMES(EnergiEnhetstype, "MCal", "MJ", "fe")

// Crude or digestible crude protein.
enum class TProteinBeregning : uint8_t { CP, DCP };
STALLORA_ENUM_NAMES(TProteinBeregning, "CP", "DCP")

template <class E>
constexpr int Ord(E value) {
  return static_cast<int>(value);
}

}  // namespace stallora
