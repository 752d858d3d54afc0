#pragma once
// The mail window's rules apart from drawing: its captions and check-list items, the
// caption for a horse, and the reports it writes for "Skriv meddelelse" (the stable's
// reports, and each horse report item with the writer of its page).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/texts.h"
#include "core/common_texts.h"
#include "stable/mail.h"

namespace stallora {

class PictureWriter;
class TPreferences;

inline constexpr const Text& kMwEpost = common::kEpost;
inline constexpr Text kMwSide{"mailwin.page", "Vælg rapporter fra hest og stald"};
inline constexpr Text kMwSkriv{"mailwin.execute", "Skriv meddelelse"};
inline constexpr const Text& kMwNulstil = common::kNulstil;
inline constexpr Text kMwModtager{"mailwin.recipients", "Tag med som modtager af e-posten"};
inline constexpr const Text& kMwStaldensEjer = common::kStaldensEjer;
inline constexpr Text kMwHesteejer{"mailwin.horseowner", "Hesteejer"};
inline constexpr Text kMwStaldInfo{"mailwin.stableinfo", "Info på staldniveau"};
inline constexpr Text kMwStaldrapporter{"mailwin.stablereports", "Kryds af for staldrapporter"};
inline constexpr Text kMwStaldfil{"mailwin.stablefile", "Vedlæg staldens datafil"};
inline constexpr const Text& kMwHesteInfo = common::kOplysningerOmHesten;
inline constexpr Text kMwVaelgHeste{"mailwin.selecthorses", "Kryds af for hest(e) som skal rapporteres"};
inline constexpr Text kMwHestefil{"mailwin.horsefile", "Vedlæg hestens datafil"};
inline constexpr Text kMwHesterapporter{"mailwin.horsereports", "Kryds af for hesterapporter"};
inline constexpr Text kMwDagensFoderplaner{"mailwin.todaysplans", "Vedlæg alle dagens foderplaner"};
inline constexpr const Text& kMwLuk = common::kLuk;

inline constexpr const Text& kMwOversigt = common::kOversigtOverHeste;
inline constexpr const Text& kMwFoderbehov = common::kFoderbehovIStalden;
inline constexpr const Text& kMwRationstildeling = common::kRationstildeling;
inline constexpr const Text& kMwSammenstilning = common::kSammenstilningAfRationer;
inline constexpr const Text& kMwBehandlinger = common::kBehandlinger;

inline constexpr const Text& kMwDagbog = common::kDagbog;
inline constexpr const Text& kMwSimpelFoderplan = common::kSimpelFoderplan;
inline constexpr const Text& kMwFoderplan = common::kFoderplan;
inline constexpr const Text& kMwFoderplanGrafik = common::kFoderplanGrafik;
inline constexpr const Text& kMwBehov = common::kBehov;
inline constexpr const Text& kMwHrRationstildeling = common::kRationstildeling;
inline constexpr const Text& kMwVaegtdata = common::kVaegtdata;
inline constexpr const Text& kMwBehandlingsliste = common::kBehandlingsliste;

// The five stable report items, by stable report kind.
std::vector<std::string> StableReportItems();
// The eight horse report items, in list order.
std::vector<std::string> HorseReportItems();
// "Mail: " + the horse's name + " - " + the stable's name.
std::string HorseMailCaption(std::string_view horse, std::string_view stable);

// The diary's RTF bytes into "00Dagbog_<Navn>.rtf" in the horse's directory; its path, or
// an empty path with `error` set.
std::filesystem::path SkrivDagbok(THest& horse, const std::filesystem::path& horseDirectory,
                                  std::string* error = nullptr);

// The reports of a workspace's stables and horses, written where the stable and horse
// windows write them.
class WorkspaceMailReports final : public MailReports {
 public:
  // Without a picture writer the graphics page has no chart.
  explicit WorkspaceMailReports(PictureWriter* pictures = nullptr) : pictures_(pictures) {}

  std::filesystem::path StableReportPath(TStall& stable, int kind) override;
  void SaveStableReport(TStall& stable, int kind) override;
  std::filesystem::path WriteHorseReport(THest& horse, int item, std::filesystem::path* chartPicture) override;

 private:
  PictureWriter* pictures_;
};

}  // namespace stallora
