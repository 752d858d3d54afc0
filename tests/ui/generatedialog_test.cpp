// The generate-feed-list dialog driven as a user does, through the hook the feed list and
// stable windows call: brands of a supplier's list checked, the keep boxes, the count;
// Cancel leaves the target byte for byte as it was (compared as the command-line tool's
// format writes it), OK rebuilds it.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest/QtTest>
#include <filesystem>
#include <memory>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "feeds/feedlist.h"
#include "render/qttext.h"
#include "stable/workspace.h"
#include "program_dir_fixture.h"
#include "test_prompts.h"
#include "window_fixture.h"
#include "ui/appwindows.h"
#include "ui/feedmix/feedmixwindow.h"
#include "ui/feedmix/generatedialog.h"
#include "ui/mainwindow.h"
#include "ui/stable/stablewindow.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

class Workplace : public testing::StartedProgram {
 public:
  explicit Workplace(const char* name) : StartedProgram("stallora-generate-", name) {
    ws = std::make_unique<Workspace>(*app);
    ws->Scan();
    // The target: a generic hay, an own feed, a feed of brand Acme, one of Old Mill.
    target = &ws->NewFeedList("Stald", false);
    Add(*target, "Hø", 6, "GENERIC");
    Add(*target, "Egen", 2, "Mine");
    Add(*target, "Acme Müsli", 7, "Acme");
    Add(*target, "Gammel", 7, "Old Mill");
    target->SaveToWorkspace();
    // The supplier's list: two feeds of Acme (one already in the target), one of Bolt, a
    // generic one that is never offered as a brand.
    TForListe& s = ws->NewFeedList("Garanti", false);
    Add(s, "Acme Müsli", 7, "Acme");
    Add(s, "Acme Pellet", 7, "acme");
    Add(s, "Acme Mash", 7, "Acme");
    Add(s, "Bolt Mineral", 9, "Bolt");
    Add(s, "Halm", 6, "GENERIC");
    s.SaveToWorkspace();
    main = std::make_unique<MainWindow>(*app, *ws, prompts);
    RegisterStableWindow(main->Windows());
    RegisterFeedMixWindows(main->Windows(), *main);
    main->show();
  }
  ~Workplace() {
    testing::CloseRecordWindowsQuietly(main.get());
    main.reset();
    ws.reset();
    app.reset();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  void Add(TForListe& l, const std::string& name, int category, const std::string& brand) {
    auto f = std::make_unique<TFor>(app->Env());
    f->Fornavn = Utf8ToCp1252(name);
    f->Fortype = static_cast<TForkategorier>(category);
    f->Brand = brand;
    l.AddFeed(std::move(f));
  }
  std::vector<std::string> Names() const { return target->FeedNames(); }

  TestPrompts prompts;
  std::unique_ptr<Workspace> ws;
  TForListe* target = nullptr;
  std::unique_ptr<MainWindow> main;
};

template <class W>
W* In(QDialog& d, const char* name) {
  W* w = d.findChild<W*>(QString::fromLatin1(name));
  if (!w) qFatal("no control %s", name);
  return w;
}

QListWidgetItem* Brand(QDialog& d, const char* brand) {
  auto* list = In<QListWidget>(d, "clbBrands");
  const auto found = list->findItems(QString::fromLatin1(brand), Qt::MatchExactly);
  return found.isEmpty() ? nullptr : found.first();
}

// What the dialog shows on opening, and how it counts (a failed check fails the test).
void Inspect(QDialog& d) {
  // A picture of the dialog for looking at it (STALLORA_UI_SHOTS=directory).
  if (const QByteArray where = qgetenv("STALLORA_UI_SHOTS"); !where.isEmpty())
    d.grab().save(QDir(QString::fromLocal8Bit(where)).filePath("generate-dialog.png"));
  QCOMPARE(d.windowTitle(), QStringLiteral("Vælg leverandører til: Stald"));
  QCOMPARE(In<QComboBox>(d, "cbSource")->currentText(), QStringLiteral("Garanti"));
  auto* list = In<QListWidget>(d, "clbBrands");
  // The makers of the source, never the generic mark.
  QStringList brands;
  for (int i = 0; i < list->count(); ++i) brands << list->item(i)->text();
  QVERIFY(!brands.contains("GENERIC"));
  QVERIFY(brands.contains("Acme"));
  QVERIFY(brands.contains("Bolt"));
  // The target's brands come checked, without regard to case.
  QCOMPARE(Brand(d, "Acme")->checkState(), Qt::Checked);
  QCOMPARE(Brand(d, "Bolt")->checkState(), Qt::Unchecked);
  QVERIFY(In<QCheckBox>(d, "cbKeepGeneric")->isChecked());
  QVERIFY(In<QCheckBox>(d, "cbKeepOwn")->isChecked());
  QVERIFY(!In<QCheckBox>(d, "cbKeepNotListed")->isChecked());
  QCOMPARE(In<QCheckBox>(d, "cbKeepNotListed")->text(),
           QStringLiteral("Behold foderblandinger som ikke findes på listen Garanti"));
  QCOMPARE(In<QGroupBox>(d, "gbBrands")->title(), QStringLiteral("Klik for at vælge: Leverandør fra Garanti"));
  const QString before = In<QLabel>(d, "lblCount")->text();
  // Checking Bolt as the user does recounts.
  Brand(d, "Bolt")->setCheckState(Qt::Checked);
  const QString after = In<QLabel>(d, "lblCount")->text();
  QVERIFY2(before != after, qPrintable(after));
  QVERIFY2(after.contains("Leverandør Valgt"), qPrintable(after));
  In<QPushButton>(d, "btnClear")->click();
  QCOMPARE(In<QLabel>(d, "lblCount")->text(), QStringLiteral("0 Leverandør Valgt (0 foder)"));
  In<QPushButton>(d, "btnAll")->click();
  for (int i = 0; i < list->count(); ++i) QCOMPARE(list->item(i)->checkState(), Qt::Checked);
}

}  // namespace

class GenerateDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void showsTheSourceBrandsAndCountsWhatIsChecked() {
    Workplace w("show");
    bool shown = false;
    w.prompts.runDialog = [&](QDialog& d) {
      shown = true;
      Inspect(d);
      return int(QDialog::Rejected);
    };
    QVERIFY(!w.main->Windows().generateFeedList(w.main.get(), *w.target));
    QVERIFY(shown);
  }

  void cancelLeavesTheTargetByteForByteAndOkRebuildsIt() {
    Workplace w("cancel");
    const std::string before = RecordText(*w.target);
    // Cancel after changing every control: the target as it was.
    w.prompts.runDialog = [&](QDialog& d) {
      In<QPushButton>(d, "btnAll")->click();
      In<QCheckBox>(d, "cbKeepGeneric")->setChecked(false);
      In<QCheckBox>(d, "cbKeepOwn")->setChecked(false);
      In<QPushButton>(d, "btnCancel")->click();
      return d.result();
    };
    QVERIFY(!w.main->Windows().generateFeedList(w.main.get(), *w.target));
    QCOMPARE(RecordText(*w.target), before);
    // OK with two brands checked (Acme and Bolt): the generic and own feeds stay, Old Mill
    // goes, Acme Müsli is not added twice, the other Acme and Bolt feeds join.
    w.prompts.runDialog = [&](QDialog& d) {
      In<QPushButton>(d, "btnClear")->click();
      for (const char* b : {"Acme", "Bolt"}) Brand(d, b)->setCheckState(Qt::Checked);
      In<QPushButton>(d, "btnOK")->click();
      return d.result();
    };
    QVERIFY(w.main->Windows().generateFeedList(w.main.get(), *w.target));
    const std::vector<std::string> names = w.Names();
    auto has = [&](const char* n) { return std::find(names.begin(), names.end(), Utf8ToCp1252(n)) != names.end(); };
    QVERIFY(has("Hø"));
    QVERIFY(has("Egen"));
    QVERIFY(!has("Gammel"));
    QVERIFY(has("Acme Mash"));
    QVERIFY(has("Bolt Mineral"));
    QVERIFY(!has("Halm"));
    QCOMPARE(std::count(names.begin(), names.end(), Utf8ToCp1252("Acme Müsli")), std::ptrdiff_t(1));
    for (const auto& f : w.target->Feeds()) QVERIFY(!f->Valgt);
  }

  void theStableWindowsBrandCommandRebuildsTheStablesListAndSavesIt() {
    Workplace w("stable");
    TStall& stable = w.ws->NewStable();
    w.main->OpenStable(stable);
    StableWindow* win = w.main->findChild<StableWindow*>();
    QVERIFY(win);
    QAction* command = win->findChild<QAction*>("miBrands");
    QVERIFY(command);
    QVERIFY(command->isEnabled());
    QString title;
    w.prompts.runDialog = [&](QDialog& d) {
      title = d.windowTitle();
      // The first other list is "Stald"; the supplier's list is chosen.
      In<QComboBox>(d, "cbSource")->setCurrentText("Garanti");
      QListWidgetItem* bolt = Brand(d, "Bolt");
      if (!bolt) return int(QDialog::Rejected);
      bolt->setCheckState(Qt::Checked);
      In<QPushButton>(d, "btnOK")->click();
      return d.result();
    };
    command->trigger();
    QCOMPARE(title, QStringLiteral("Vælg leverandører til: ") + Q(stable.ForListe->ForlisteNavn));
    QVERIFY(stable.ForListe->FeedByName("Bolt Mineral"));
    // Rebuilt means saved: the stable's file holds the new feed.
    const auto text = ReadWholeFile(stable.StableFilePath());
    QVERIFY(text);
    QVERIFY(text->find("Bolt Mineral") != std::string::npos);
  }
};

}  // namespace stallora

QTEST_MAIN(stallora::GenerateDialogTest)
#include "generatedialog_test.moc"
