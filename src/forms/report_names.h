#pragma once
// The names a page is stored under when the user stores it ("Gem" on the feeding plan,
// requirement and treatment pages, "Gem foderplan som..."), and the names of the chart
// pictures. Every window stores through these, so a typed description can never lead a
// file out of its directory nor make a name the file system refuses.
//
// Texts are Windows-1252; a line break inside a text for the user is "\r".

#include <string>
#include <string_view>

#include "core/seams.h"
#include "core/texts.h"

namespace stallora {

inline constexpr Text kRnFil{"reportname.file", "Fil"};
inline constexpr Text kRnBeskrivelse{"reportname.description", "beskrivelse"};
inline constexpr Text kRnOpretterFilnavnet{"reportname.autoname", "Stallora opretter filnavnet automatisk"};
inline constexpr Text kRnFlereFiler{"reportname.morefiles",
                                    "Hvis du vil gemme flere filer den samme dag må du lave en ændring i navnet."};
inline constexpr Text kRnGivKortTekst{"reportname.shorttext",
                                      "Giv en kort beskrivende tekst til erstatning for \"00\" i filnavnet"};
inline constexpr Text kRnFindesAendre{"reportname.exists", "findes! Vil du ændre værdierne"};
inline constexpr Text kRnSkrivOver{"reportname.overwrite", "Skriv over?"};
inline constexpr Text kRnGem{"reportname.save", "Gem"};

// What may stand of a typed text inside a file name: the characters no file name on the
// systems the files travel to may hold (/ \ : * ? " < > |, control characters) are left
// out, and so are blanks at either end.
std::string CleanFileNamePart(std::string_view text);

// The caption of the description dialog: "Fil" + " " + "beskrivelse".
std::string StoreCaption();
// The description dialog's explanation for a proposed name.
std::string StoreExplanation(std::string_view proposedName);
// The proposed name's part before its last "00" + the cleaned description + ".htm". A
// description that would make the name longer than a record's files may be is cut; so the
// result is always a name ValidateFileName accepts when the proposal was one.
std::string StoredFileName(std::string_view proposedName, std::string_view description);
// ".htm" appended unless the name contains ".HTM" in any letter case.
std::string WithHtmExtension(std::string_view name);
// "Gem" + " " + word + ": " + horse name.
std::string StoreDialogTitle(std::string_view word, std::string_view horseName);
// "Fil findes! Vil du ændre værdierne!", the file name, "Skriv over?".
std::string OverwriteQuestion(std::string_view fileName);
// "NutrientSupply_" or "NutrientContribution_", the horse's name (cleaned), "_", the date,
// ".jpg".
std::string ChartFileName(std::string_view prefix, std::string_view horseName, const Regional& regional,
                          DayNumber today);

}  // namespace stallora
