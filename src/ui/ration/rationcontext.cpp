#include "ui/ration/rationcontext.h"

#include <QListWidget>
#include <QPrinter>
#include <QPushButton>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/html_report.h"
#include "core/textutil.h"
#include "nutrition/report_common.h"
#include "forms/ration_page.h"
#include "ration/horse_reports.h"
#include "stable/stall.h"
#include "ui/mainwindow.h"
#include "ui/qtext.h"
#include "ui/rationtexts.h"

namespace stallora {

std::filesystem::path RationContext::TempDir() const {
  if (Prefs()) return Prefs()->TempDirectory();
  return std::filesystem::temp_directory_path();
}

std::filesystem::path RationContext::HorseDir() const {
  return Horse().stable ? Horse().stable->HorseDirectory(Horse()) : TempDir();
}

std::array<bool, kNutrientCount> RationContext::ChosenNutrients(bool columns) const {
  std::array<bool, kNutrientCount> shown;
  shown.fill(true);
  if (const TPreferences* p = Horse().env->preferences ? Horse().env->preferences : Prefs())
    shown = columns ? p->showNutrient : p->useNutrient;
  return shown;
}

void RationContext::Warn(const std::string& text) const { Ask().Warn(text, T(kRpAdvarsel)); }

void RationContext::ShowFeedInfo(const TFor& feed) const {
  if (services.main) services.main->ShowHtml(feed.FeedInfoPage() + PageEnd(), Q(feed.Fornavn), 1);
}

void RationContext::OpenHelp(const std::string& suffix) const {
  if (services.main && Prefs()) services.main->OpenInfoPage(T(rationui::kHjaelp), Prefs()->ManualPage() + suffix);
}

bool RationContext::PreparePrinter(QPrinter& printer) const {
  printer.setDocName(Q(Horse().Navn));
  return Ask().SetupPrinter(printer);
}

void RationContext::Store(int kind, const std::string& html, const std::string& word) const {
  const THest& horse = Horse();
  const std::string proposed = HorseReportFileName(horse, kind);
  const std::optional<QString> entered = Ask().Describe(Q(StoreCaption()), StoreExplanation(proposed));
  if (!entered) return;
  const std::string name = StoredFileName(proposed, L(*entered));
  std::string dirError;
  const std::filesystem::path dir = HorseReportPath(HorseDir(), horse, kind, &dirError).parent_path();
  if (!dirError.empty()) ShowError(dirError);
  QString start = Q(PathText(dir / PathFromText(name)));
  for (;;) {
    const QString chosen = Ask().SaveFileName(Q(StoreDialogTitle(word, horse.Navn)), start, "HTML files (*.htm)");
    if (chosen.isEmpty()) return;
    const std::filesystem::path target = PathFromText(WithHtmExtension(L(chosen)));
    std::error_code ec;
    if (std::filesystem::exists(target, ec)) {
      const Prompts::Answer answer = Ask().AskOverwrite(OverwriteQuestion(PathText(target)));
      if (answer == Prompts::Answer::kRetry) {
        start = chosen;
        continue;
      }
      if (answer != Prompts::Answer::kYes) return;
    }
    if (!WriteReportFile(target, EscapeNationalLetters(html))) ShowError(Tr(kKunneIkkeDannes) + " " + PathText(target));
    return;
  }
}

QPushButton* PageButton(const QString& text, const QString& name, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setObjectName(name);
  return b;
}

void ShowNutrientLines(QListWidget* list, const THest& horse, const CountrySettings& settings) {
  const std::vector<NutrientLine> lines = NutrientLines(horse, settings);
  list->setUpdatesEnabled(false);
  if (list->count() != static_cast<int>(lines.size())) {
    list->clear();
    for (size_t i = 0; i < lines.size(); ++i) list->addItem(QString());
  }
  for (int i = 0; i < list->count(); ++i) {
    QListWidgetItem* item = list->item(i);
    const NutrientLine& line = lines[static_cast<size_t>(i)];
    item->setText(Q(line.text));
    item->setForeground(line.flagged ? QColor(Qt::red) : QColor(Qt::black));
    item->setBackground(Qt::white);
  }
  list->setUpdatesEnabled(true);
}

RationTabPage::RationTabPage(RationContext& context, const char* name, QWidget* parent) : QWidget(parent), c_(context) {
  setObjectName(name);
}

}  // namespace stallora
