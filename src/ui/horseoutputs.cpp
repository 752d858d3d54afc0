#include "ui/horseoutputs.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "core/fileio.h"
#include "core/textutil.h"
#include "forms/horse_form.h"
#include "nutrition/report_common.h"
#include "render/qttext.h"
#include "ui/clipboard.h"
#include "ui/horsetexts.h"
#include "ui/horsewindow.h"
#include "ui/htmlview.h"

namespace stallora {

using namespace horsetext;

void CopyFileToClipboard(HorseWindow& window, const std::filesystem::path& file) {
  const auto bytes = ReadWholeFile(file);
  if (!bytes) {
    window.Ask().Error(Tr(kWFejl) + " " + PathText(file));
    return;
  }
  CopyHtmlToClipboard(*bytes);
}

void StorePage(HorseWindow& window, int kind, const std::string& html, const Text& word) {
  THest& h = window.Horse();
  const std::string proposed = HorseReportFileName(h, kind);
  auto description = window.Ask().Describe(Q(StoreCaption()), StoreExplanation(proposed));
  if (!description) return;
  const std::string name = StoredFileName(proposed, L(*description));
  const std::filesystem::path dir = window.HorseDirectory();
  for (;;) {
    const QString chosen = window.Ask().SaveFileName(
        Q(StoreDialogTitle(Tr(word), h.Navn)), QString::fromStdString((dir / PathFromText(name)).string()),
        QStringLiteral("HTML files (*.htm)"));
    if (chosen.isEmpty()) return;
    const std::filesystem::path path = PathFromText(WithHtmExtension(L(chosen)));
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
      const auto answer = window.Ask().AskOverwrite(OverwriteQuestion(PathText(path.filename())));
      if (answer == Prompts::Answer::kRetry) continue;
      if (answer != Prompts::Answer::kYes) return;
    }
    if (!WriteFileAtomically(path, EscapeNationalLetters(html)))
      window.Ask().Error(Tr(kKunneIkkeDannes) + " " + PathText(path));
    return;
  }
}

void PrintView(HorseWindow& window, HtmlView& view) {
  if (view.document()->isEmpty()) return;
  window.Ask().Print(*view.document(), Q(window.Horse().Navn));
}

}  // namespace stallora
