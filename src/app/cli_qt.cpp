// The tool's Qt part for reports: printing a page to PDF and drawing the chart pictures of
// the graphics report. Linked into stallora-cli-qt (and the tests), not into stallora-cli.

#include <QGuiApplication>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

#include "app/cli_support.h"
#include "core/fileio.h"
#include "render/charts.h"
#include "render/fonts.h"
#include "render/qttext.h"

namespace stallora::cli {
namespace {

namespace fs = std::filesystem;

// Fonts and pictures need a GUI application; the tool runs without a screen.
void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  static int argc = 3;
  static char arg0[] = "stallora-cli", arg1[] = "-platform", arg2[] = "offscreen";
  static char* argv[] = {arg0, arg1, arg2, nullptr};
  new QGuiApplication(argc, argv);  // lives as long as the process
  InstallFontSubstitutions();
}

bool PrintToPdf(const std::string& page, const fs::path& baseDirectory, const fs::path& pdf) {
  EnsureGuiApplication();
  QTextDocument document;
  document.setBaseUrl(QUrl::fromLocalFile(QString::fromStdString(baseDirectory.string()) + "/"));
  document.setHtml(Q(page));
  // Printed beside the target and renamed over it only when complete: a PDF left by an
  // earlier run must not pass for this one's.
  const fs::path dir = pdf.has_parent_path() ? pdf.parent_path() : fs::path(".");
  const fs::path temp = dir / AtomicTempName(pdf.filename().string());
  std::error_code ec;
  fs::remove(temp, ec);
  bool ok = false;
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(temp.string()));
    document.print(&printer);
    ok = printer.printerState() != QPrinter::Error;
  }
  ok = ok && fs::is_regular_file(temp, ec) && fs::file_size(temp, ec) > 0;
  if (ok) {
    fs::rename(temp, pdf, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(temp, ec);
  return ok;
}

std::unique_ptr<PictureWriter> ChartPictures() {
  EnsureGuiApplication();
  return std::make_unique<JpegPictureWriter>();
}

// Filled in when this part is linked into the program.
[[maybe_unused]] const bool kRegistered = [] {
  QtPartHooks().printToPdf = &PrintToPdf;
  QtPartHooks().chartPictures = &ChartPictures;
  return true;
}();

}  // namespace
}  // namespace stallora::cli
