#pragma once
// The mail window's rules apart from drawing: its captions and check-list items, the
// caption for a horse, and the reports it writes for "Skriv meddelelse" (the stable's
// reports, and each horse report item with the writer of its page).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/texts.h"
#include "stable/mail.h"

namespace stallora {

class PictureWriter;
class TPreferences;

inline constexpr Text kMwEpost{"mailwin.caption", "Epost"};
inline constexpr Text kMwSide{"mailwin.page", "Vælg rapporter fra hest og stald"};
inline constexpr Text kMwSkriv{"mailwin.execute", "Skriv meddelelse"};
inline constexpr Text kMwNulstil{"mailwin.reset", "Nulstil"};
inline constexpr Text kMwModtager{"mailwin.recipients", "Tag med som modtager af e-posten"};
inline constexpr Text kMwStaldensEjer{"mailwin.stableowner", "Staldens ejer"};
inline constexpr Text kMwHesteejer{"mailwin.horseowner", "Hesteejer"};
inline constexpr Text kMwStaldInfo{"mailwin.stableinfo", "Info på staldniveau"};
inline constexpr Text kMwStaldrapporter{"mailwin.stablereports", "Kryds af for staldrapporter"};
inline constexpr Text kMwStaldfil{"mailwin.stablefile", "Vedlæg staldens datafil"};
inline constexpr Text kMwHesteInfo{"mailwin.horseinfo", "Oplysninger om hesten"};
inline constexpr Text kMwVaelgHeste{"mailwin.selecthorses", "Kryds af for hest(e) som skal rapporteres"};
inline constexpr Text kMwHestefil{"mailwin.horsefile", "Vedlæg hestens datafil"};
inline constexpr Text kMwHesterapporter{"mailwin.horsereports", "Kryds af for hesterapporter"};
inline constexpr Text kMwDagensFoderplaner{"mailwin.todaysplans", "Vedlæg alle dagens foderplaner"};
inline constexpr Text kMwLuk{"mailwin.close", "Luk"};

inline constexpr Text kMwOversigt{"mailwin.sr0", "Oversigt over heste"};
inline constexpr Text kMwFoderbehov{"mailwin.sr1", "Foderbehov i stalden"};
inline constexpr Text kMwRationstildeling{"mailwin.sr2", "Rationstildeling"};
inline constexpr Text kMwSammenstilning{"mailwin.sr3", "Sammenstilning af rationer"};
inline constexpr Text kMwBehandlinger{"mailwin.sr4", "Behandlinger"};

inline constexpr Text kMwDagbog{"mailwin.hr0", "Dagbog"};
inline constexpr Text kMwSimpelFoderplan{"mailwin.hr1", "Simpel foderplan"};
inline constexpr Text kMwFoderplan{"mailwin.hr2", "Foderplan"};
inline constexpr Text kMwFoderplanGrafik{"mailwin.hr3", "Foderplan grafik"};
inline constexpr Text kMwBehov{"mailwin.hr4", "Behov"};
inline constexpr Text kMwHrRationstildeling{"mailwin.hr5", "Rationstildeling"};
inline constexpr Text kMwVaegtdata{"mailwin.hr6", "Vægtdata"};
inline constexpr Text kMwBehandlingsliste{"mailwin.hr7", "Behandlingsliste"};

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
