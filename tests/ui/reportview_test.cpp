// Reports as the embedded browser paints them: no solid black box where a table's column
// widths do not fill the table, a footer logo that is there or left out, never broken, and
// a large report laid out only when it is new and seen, and words never cut in two.

#include <QImage>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextTable>
#include <QTextDocument>

#include "feeds/mix.h"
#include "nutrition/report_common.h"
#include "smallwin_fixture.h"
#include "stable/stable_reports.h"
#include "ui/htmlview.h"

using namespace stallora;
using namespace stallora::uitest;

namespace {

// Squares of 6 x 6 pixels that are all black: the frame's one-pixel grid lines make none,
// a block of unpainted table makes many.
int SolidBlackSquares(const QImage& image) {
  int squares = 0;
  for (int y = 0; y + 6 <= image.height(); y += 6)
    for (int x = 0; x + 6 <= image.width(); x += 6) {
      bool black = true;
      for (int dy = 0; dy < 6 && black; ++dy)
        for (int dx = 0; dx < 6 && black; ++dx) black = qGray(image.pixel(x + dx, y + dy)) < 40;
      squares += black ? 1 : 0;
    }
  return squares;
}

QImage Painted(HtmlView& view) {
  view.resize(760, 560);
  view.show();
  QApplication::processEvents();
  return view.viewport()->grab().toImage();
}

}  // namespace

class ReportViewTest : public QObject {
  Q_OBJECT

 private slots:
  void theMixRecipeShowsNoBlackBox() {
    Fixture f("mixrecipe");
    TForListe mix(f.app->Env());
    mix.ForlisteNavn = "Havreblanding";
    mix.ForBlanding = true;
    for (auto [name, kg] : {std::pair{"Havre, valset", 3.0}, {"Roepiller", 1.0}, {"Mineral", 0.1}}) {
      TFor& feed = mix.AddFeed(std::make_unique<TFor>(f.app->Env()));
      feed.Fornavn = name;
      feed.TildeltKg = kg;
      feed.Valgt = true;
    }
    HtmlView view;
    view.ShowReport(MixPrintPage(mix));
    const QImage image = Painted(view);
    f.Shot(&view, "mixrecipe");
    QCOMPARE(SolidBlackSquares(image), 0);
    // The recipe is there, its columns in the proportions the report gives (40:15:15).
    QVERIFY(view.toPlainText().contains("Havre, valset"));
  }

  void theFooterLogoIsTheLocalCopyOrLeftOut() {
    Fixture f("footerlogo");
    TStall& s = f.WriteStable("Nord");
    f.WriteHorse(s, "Bella");
    // No local copy: no picture, so nothing shows broken.
    std::string report = HorseOverviewReport(s);
    QVERIFY(report.find("<IMG") == std::string::npos);
    QVERIFY(report.find("stallora.example/") != std::string::npos);  // the web address stays

    fs::create_directories(f.dir / "Images");
    fs::copy_file(fs::path(STALLORA_DATA_DIR) / "Images" / "stallora_logo.gif", f.dir / "Images" / "stallora_logo.gif");
    report = HorseOverviewReport(s);
    const size_t at = report.find("<IMG SRC=\"");
    QVERIFY(at != std::string::npos);
    const size_t start = at + 10;
    const QUrl logo(Q(report.substr(start, report.find('"', start) - start)));
    QVERIFY2(logo.isLocalFile(), qPrintable(logo.toString()));
    QVERIFY(fs::exists(logo.toLocalFile().toStdString()));
    HtmlView view;
    view.ShowReport(report);
    Painted(view);
    const QVariant picture = view.document()->resource(QTextDocument::ImageResource, logo);
    QVERIFY2(picture.isValid() && !picture.value<QImage>().isNull(), qPrintable(logo.toString()));
    QCOMPARE(picture.value<QImage>().size(), QSize(150, 37));
  }

  void aTableTooWideForTheViewScrollsInsteadOfCuttingWords() {
    // Eleven feed columns in a window of ordinary width: the stable's ration comparison
    // showed "Fodern" over "avn" and "Mineralf" over "oder".
    std::string header, shortWords, amounts;
    for (int i = 0; i < 11; ++i) {
      header += "<th>Mineralfoder" + std::to_string(i) + "</th>";
      shortWords += "<th>Hø, sent slæt, groft</th>";
      // Qt's line breaker would break "3.200" after "3." (but not "10.00").
      amounts += "<td align=\"center\">" + std::to_string(i % 9 + 1) + ".200 kg </td>";
    }
    const std::string html = "<html><body><table border=1><tr>" + header + "</tr></table><table border=1><tr>" +
                             shortWords + "</tr><tr>" + amounts + "</tr></table></body></html>";
    HtmlView view;
    view.ShowReport(html);
    view.resize(400, 300);
    view.show();
    QApplication::processEvents();
    QList<QTextTable*> tables;
    for (QTextFrame* frame : view.document()->rootFrame()->childFrames())
      if (auto* t = qobject_cast<QTextTable*>(frame)) tables.append(t);
    QCOMPARE(tables.size(), 2);
    QCOMPARE(tables[0]->columns(), 11);
    QCOMPARE(tables[1]->columns(), 11);
    auto lines = [](QTextTable* table, int row, int column) {
      const QTextBlock block = table->cellAt(row, column).firstCursorPosition().block();
      return std::pair{block.text(), block.layout()->lineCount()};
    };
    for (int c = 0; c < 11; ++c) {
      const auto [name, nameLines] = lines(tables[0], 0, c);
      QVERIFY2(name.startsWith("Mineralfoder") && nameLines == 1, qPrintable(name));
      // A heading of short words may wrap between them; the amount below it stays whole.
      const auto [amount, amountLines] = lines(tables[1], 1, c);
      QVERIFY2(amount.contains(".200 kg") && amountLines == 1, qPrintable(amount));
    }
    // What does not fit is reached by scrolling.
    QVERIFY(view.horizontalScrollBar()->maximum() > 0);
  }

  void theSameReportAgainKeepsTheViewAndAHiddenOneWaitsUntilSeen() {
    std::string rows;
    for (int i = 0; i < 300; ++i) rows += "<tr><td>Hest " + std::to_string(i) + "</td></tr>";
    const std::string a = "<html><body><table>" + rows + "</table></body></html>";
    const std::string b = "<html><body><p>Kun Bella</p></body></html>";
    QTabWidget tabs;
    auto* view = new HtmlView;
    view->LayOutWhenShown(true);
    tabs.addTab(new QWidget, "front");
    tabs.addTab(view, "report");
    tabs.resize(500, 300);
    tabs.show();
    QApplication::processEvents();

    // Given while its page is behind another: shown once its page comes to the front.
    view->ShowReport(b);
    QVERIFY(!view->toPlainText().contains("Kun Bella"));
    tabs.setCurrentWidget(view);
    QApplication::processEvents();
    QVERIFY(view->toPlainText().contains("Kun Bella"));

    // The long report, scrolled down: the same report again leaves the view where it was.
    view->ShowReport(a);
    QApplication::processEvents();
    QVERIFY(view->toPlainText().contains("Hest 299"));
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    const int scrolled = view->verticalScrollBar()->value();
    QVERIFY(scrolled > 0);
    view->ShowReport(a);
    QCOMPARE(view->verticalScrollBar()->value(), scrolled);
    // Another report replaces it; the first one again is shown anew.
    view->ShowReport(b);
    QCOMPARE(view->toPlainText().trimmed(), QStringLiteral("Kun Bella"));
    view->ShowReport(a);
    QVERIFY(view->toPlainText().contains("Hest 299"));
    // Something else put into the document: the same report is shown again, not skipped.
    view->setHtml("<p>andet</p>");
    view->ShowReport(a);
    QVERIFY(view->toPlainText().contains("Hest 0"));
    // A hidden page's report that is overtaken by a page shown in it is not put back later.
    tabs.setCurrentIndex(0);
    view->ShowReport(b);
    view->ShowUnreachable(QUrl("https://example.org/"));
    tabs.setCurrentWidget(view);
    QApplication::processEvents();
    QVERIFY(view->toPlainText().contains("example.org"));
    QVERIFY(!view->toPlainText().contains("Kun Bella"));
  }
};

QTEST_MAIN(ReportViewTest)
#include "reportview_test.moc"
