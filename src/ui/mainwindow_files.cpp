// The main window's commands that bring files into the workspace (import) and take them out
// of it (backup, mail).

#include <filesystem>

#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "ui/mainwindow.h"
#include "ui/mainwindow_texts.h"
#include "ui/qtext.h"
#include "ui/workspacetree.h"

namespace stallora {

using namespace maintext;

void MainWindow::ImportHorseIntoSelected() {
  TStall* s = SelectedStable();
  if (!s) {
    Ask().Inform(Tr(kVaelgStald));
    return;
  }
  const QString file =
      Ask().OpenFileName(T(kVaelgHestefil), QString::fromStdString((app_.programDir / "Save").string()),
                         QStringLiteral("Horse files (*.eqh)"));
  if (file.isEmpty()) return;
  std::string message;
  bool ok = false;
  try {
    ok = s->ImportHorse(file.toStdString(), &message);
  } catch (const ObjTextError& e) {
    Ask().Error(e.what());
    return;
  }
  if (!ok) {
    // Why the file could not be taken (a name that cannot be a directory, say), or that it
    // is no horse file.
    Ask().Inform(message.empty() ? Tr(kHestIkkeFundet) : message);
    return;
  }
  if (!message.empty()) Ask().Inform(message);
  RefreshTree();
}

void MainWindow::ImportStable() {
  const QString file = Ask().OpenFileName(T(kVaelgStaldfil), QString::fromStdString(app_.programDir.string()),
                                          QStringLiteral("Stable files (*.eqs)"));
  if (file.isEmpty()) return;
  const std::string name = TextFromPath(std::filesystem::path(file.toStdString()).stem());
  const bool horses = Ask().Confirm(name + ": " + Tr(kMedtagHeste));
  std::string error;
  TStall* s = workspace_.ImportStable(file.toStdString(), horses, &error);
  if (!error.empty()) Ask().Error(error);
  RefreshTree();
  if (s) tree_->expandAll();
}

void MainWindow::ImportFeedList() {
  const QString file = Ask().OpenFileName(T(kImporterForliste), QString::fromStdString(app_.programDir.string()),
                                          Q(Tr(kFoderliste)) + " (*.eqf *.mix)");
  if (file.isEmpty()) return;
  std::string error;
  TForListe* l = workspace_.ImportFeedList(file.toStdString(), &error);
  if (!error.empty()) Ask().Error(error);
  RefreshTree();
  if (l) tree_->SelectRecord(l);
}

void MainWindow::ImportTextFeedList() {
  const QString file =
      Ask().OpenFileName(QStringLiteral("Import utility for Version 1 -feedlists"),
                         QString::fromStdString(app_.programDir.string()), QStringLiteral("Feed files (*.txt)"));
  if (file.isEmpty()) return;
  std::string error;
  TForListe* l = workspace_.ImportTextFeedList(file.toStdString(), &error);
  if (!error.empty()) Ask().Error(error);
  RefreshTree();
  if (l) tree_->SelectRecord(l);
}

void MainWindow::Backup() {
  Ask().Inform(Tr(kVaelgPlads));
  const QString parent =
      Ask().ChooseDirectory(T(kVaelgPlads), QString::fromStdString(app_.preferences.BackupDirectory().string()));
  if (parent.isEmpty()) return;
  const auto target = workspace_.BackupTarget(parent.toStdString());
  if (!Ask().Confirm(Tr(kSikkerhedskopier) + ": " + PathText(target))) return;
  SaveAndCloseAllWindows();
  std::string error;
  if (!workspace_.Backup(target, &error)) Ask().Error(error);
}

void MainWindow::MailSelected() {
  if (!SelectedHorse() && !SelectedStable() && !SelectedFeedList()) {
    Ask().Inform(Tr(kVaelgStald));
    return;
  }
  SaveAndCloseAllWindows();
  std::filesystem::path attachment;
  std::string subject;
  if (THest* h = SelectedHorse()) {
    attachment = h->stable->HorseFilePath(*h);
    subject = h->Navn;
  } else if (TStall* s = SelectedStable()) {
    attachment = s->StableFilePath();
    subject = s->stallNavn;
  } else if (TForListe* l = SelectedFeedList()) {
    subject = l->ForlisteNavn;
    attachment = l->owner == ListOwnerKind::Stable
                     ? app_.preferences.TempDirectory() / PathFromText(l->ForlisteNavn + ".eqf")
                     : l->FileNameFor();
    try {
      // A stable's list goes out as a copy in the temporary directory; a list of its own is
      // saved as its file, under the check on its file.
      if (l->owner == ListOwnerKind::Stable)
        l->ExportToFile(attachment);
      else
        l->SaveToFile(attachment);
    } catch (const ObjTextError& e) {
      Ask().Error(e.what());
      return;
    }
  }
  std::error_code ec;
  if (!std::filesystem::exists(attachment, ec)) {
    Ask().Error(Tr(kFinderIkke) + ": " + PathText(attachment));
    return;
  }
  Ask().Mail(subject, {attachment});
}

}  // namespace stallora
