#include "forms/report_names.h"

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "nutrition/report_common.h"

namespace stallora {
namespace {

bool CannotStandInFileName(unsigned char c) {
  return c < 32 || c == 127 || c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
         c == '>' || c == '|';
}

size_t BytesOnDisk(std::string_view name) { return PathFromText(name).native().size(); }

}  // namespace

std::string CleanFileNamePart(std::string_view text) {
  std::string out;
  for (char c : text)
    if (!CannotStandInFileName(static_cast<unsigned char>(c))) out += c;
  return Trim(out);
}

std::string StoreCaption() { return Tr(kRnFil) + " " + Tr(kRnBeskrivelse); }

std::string StoreExplanation(std::string_view proposedName) {
  return Tr(kRnOpretterFilnavnet) + "\r\"" + std::string(proposedName) + "\"\r" + Tr(kRnFlereFiler) + "\r" +
         Tr(kRnGivKortTekst);
}

std::string StoredFileName(std::string_view proposed, std::string_view description) {
  // The "00" to replace is the one of the "_00.htm" ending: a date such as 20022026 or a
  // horse name may hold "00" too.
  const size_t at = proposed.rfind("00");
  const std::string head(at == std::string_view::npos ? proposed : proposed.substr(0, at));
  std::string clean = CleanFileNamePart(description);
  // The proposal of the longest horse name fits; a description may make it no longer than
  // that or than any record's name.
  const size_t most = std::max(BytesOnDisk(proposed), kMaxRecordNameBytes);
  while (!clean.empty() && BytesOnDisk(head + clean + ".htm") > most) clean.pop_back();
  return head + Trim(clean) + ".htm";
}

std::string WithHtmExtension(std::string_view name) {
  if (UpperCase(name).find(".HTM") != std::string::npos) return std::string(name);
  return std::string(name) + ".htm";
}

std::string StoreDialogTitle(std::string_view word, std::string_view horseName) {
  return Tr(kRnGem) + " " + std::string(word) + ": " + std::string(horseName);
}

std::string OverwriteQuestion(std::string_view fileName) {
  return Tr(kRnFil) + " " + Tr(kRnFindesAendre) + "!" + "\r" + std::string(fileName) + "\r" + Tr(kRnSkrivOver) + "\r";
}

std::string ChartFileName(std::string_view prefix, std::string_view horseName, const Regional& regional,
                          DayNumber today) {
  return std::string(prefix) + CleanFileNamePart(horseName) + "_" + FileNameDate(regional, today) + ".jpg";
}

}  // namespace stallora
