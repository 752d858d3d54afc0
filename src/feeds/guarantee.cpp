#include "feeds/guarantee.h"

#include "core/objtext.h"
#include "core/textutil.h"

namespace stallora {

bool IsGuaranteeList(const TForListe& list) { return list.ErGarantiForliste; }

bool IsGenericFeed(const TFor& feed) { return feed.Brand == kGenericBrandMark; }

std::string BrandDisplayText(std::string_view brand) {
  if (brand == kGenericBrandMark) return Tr(kAlmindeligtFoder);
  return std::string(brand);
}

GuaranteeListScan::Placement GuaranteeListScan::Offer(TForListe& list) {
  if (!IsGuaranteeList(list)) return Placement::Ordinary;
  ++count_;
  if (list.GarantiForlisteVersjon > highest_) {
    highest_ = list.GarantiForlisteVersjon;
    current_ = &list;
    return Placement::NewCurrent;
  }
  return Placement::Hidden;
}

std::string GuaranteeListScan::PreferenceFileName() const {
  return current_ ? current_->ForlisteNavn + ".eqf" : std::string();
}

bool IsNewerGuaranteeOffer(const TForListe* current, int offeredVersion) {
  return !current || current->GarantiForlisteVersjon < offeredVersion;
}

void MarkAsOrdinaryList(TForListe& list) {
  list.ErGarantiForliste = false;
  list.GarantiForlisteVersjon = 0;
}

std::string GuaranteeListLabel(const TForListe* current) {
  if (!current) return {};
  return FirstLetterUpper(Tr(kFoderliste)) + ":" + "\r" + current->ForlisteNavn + "\r" + "- " + Tr(kVersionText) + " " +
         std::to_string(current->GarantiForlisteVersjon);
}

void UpdateListsFrom(const TForListe& newer, std::span<TForListe* const> lists, const TForListe* current,
                     GuaranteeUpdateReport& report) {
  for (TForListe* list : lists) {
    if (!list || list == current || list == &newer) continue;
    std::string error;
    if (list->UpdateFrom(newer, &error))
      ++report.updatedLists;
    else
      report.errors.push_back(list->ForlisteNavn + ": " + error);
  }
}

GuaranteeUpdateReport UpdateAllFrom(const TForListe& newer, std::span<TForListe* const> standAlone,
                                    const TForListe* current, std::span<const GuaranteeUpdateGroup> groups) {
  GuaranteeUpdateReport report;
  for (TForListe* list : standAlone) {
    if (!list || list == current || list == &newer) continue;
    std::string error;
    if (!list->UpdateFrom(newer, &error)) {
      report.errors.push_back(list->ForlisteNavn + ": " + error);
      continue;
    }
    ++report.updatedLists;
    try {
      list->SaveToWorkspace();
    } catch (const ObjTextError& e) {
      report.errors.push_back(list->ForlisteNavn + ": " + e.what());
    }
  }
  for (const GuaranteeUpdateGroup& group : groups) {
    UpdateListsFrom(newer, group.lists, current, report);
    if (!group.save) continue;
    try {
      group.save();
    } catch (const ObjTextError& e) {
      report.errors.push_back(e.what());
    }
  }
  return report;
}

}  // namespace stallora
