#pragma once
// Guarantee feed lists: a feed company's list of its feeds with guaranteed analyses. The
// company publishes the marks (ErGarantiForliste, GarantiForlisteVersjon) with the file;
// the program never marks a list itself. The newest one read is the current guarantee
// list, and a newer one brings the workspace's other lists up to date.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "feeds/feedlist.h"
#include "core/common_texts.h"

namespace stallora {

inline constexpr const Text& kGarantifoderliste = common::kGarantifoderliste;

bool IsGuaranteeList(const TForListe& list);
// A feed without a maker: brand exactly "GENERIC".
bool IsGenericFeed(const TFor& feed);
// The brand as the windows show it: "Almindeligt FODER" for "GENERIC".
std::string BrandDisplayText(std::string_view brand);

// The workspace scan's view of the feed lists it reads, in order: which are shown, which
// guarantee list is current, how many guarantee lists there were.
class GuaranteeListScan {
 public:
  enum class Placement {
    Ordinary,    // not a guarantee list: a root node in reading order
    NewCurrent,  // a guarantee list newer than all before it: the top node, now current
    Hidden,      // a guarantee list not newer than one before it: not shown
  };
  Placement Offer(TForListe& list);
  TForListe* Current() const { return current_; }
  int GuaranteeCount() const { return count_; }
  // More than one guarantee list was read: the others must be updated from the current.
  bool UpdateNeeded() const { return count_ > 1; }
  // The preference GarantiForlisteFilnavn: the current list's name and ".eqf" (empty
  // when there is none).
  std::string PreferenceFileName() const;

 private:
  TForListe* current_ = nullptr;
  long long highest_ = static_cast<long long>(INT32_MIN) - 1;  // below any real version
  int count_ = 0;
};

// The service offers a guarantee list of this version: newer when there is no current
// list or the current one's version is lower.
bool IsNewerGuaranteeOffer(const TForListe* current, int offeredVersion);

// A guarantee list saved under a new name from the feed list window becomes an ordinary
// list of version 0.
void MarkAsOrdinaryList(TForListe& list);

// The main window's label: "Foderliste:" CR name CR "- Version n"; empty without a list.
std::string GuaranteeListLabel(const TForListe* current);

// Lists that are updated together and saved by one call (a stable with its feed list and
// its horses' rations; the stable record supplies the saving).
struct GuaranteeUpdateGroup {
  std::vector<TForListe*> lists;
  std::function<void()> save;  // may throw ObjTextError
};

struct GuaranteeUpdateReport {
  int updatedLists = 0;
  std::vector<std::string> errors;  // one message per list or group that failed
};

// UpdateFrom(newer) on each list but `current` itself; nothing is saved.
void UpdateListsFrom(const TForListe& newer, std::span<TForListe* const> lists, const TForListe* current,
                     GuaranteeUpdateReport& report);

// The workspace update after a newer guarantee list arrived: every stand-alone list other
// than the current guarantee list is updated and saved under its workspace file name, in
// order; then every group is updated and saved. A failure is reported and the others go on.
GuaranteeUpdateReport UpdateAllFrom(const TForListe& newer, std::span<TForListe* const> standAlone,
                                    const TForListe* current, std::span<const GuaranteeUpdateGroup> groups = {});

}  // namespace stallora
