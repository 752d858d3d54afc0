#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include "core/fileio.h"
#include "nutrition/report_common.h"
#include "smallwin_fixture.h"
#include "ui/mailwindow.h"

using namespace stallora;
using namespace stallora::uitest;

class MailWindowTest : public QObject {
  Q_OBJECT

 private:
  template <class W>
  static W* Child(QWidget* w, const char* name) {
    W* c = w->findChild<W*>(name);
    if (!c) qFatal("no control %s", name);
    return c;
  }
  static QStringList Ticked(QListWidget* lb) {
    QStringList items;
    for (int i = 0; i < lb->count(); ++i)
      if (lb->item(i)->checkState() == Qt::Checked) items << lb->item(i)->text();
    return items;
  }
  // Nord with Blakken (owner Ida, who has an address) and Alf.
  static MainWindow& OpenStable(Fixture& f) {
    TStall& nord = f.WriteStable("Nord");
    f.WriteHorse(nord, "Blakken", "Ida");
    f.WriteHorse(nord, "Alf", "Bo");
    TAdrRec ida;
    ida.Navn = "Ida";
    ida.Email = "ida@example.dk";
    ida.Kategori = 1;
    f.app->contacts.AddRecord(ida);
    return f.Open();
  }
  static std::vector<OutgoingMail>* Capture(MailWindow& w) {
    auto* sent = new std::vector<OutgoingMail>;
    w.sender = [sent](const OutgoingMail& m, Messages&) {
      sent->push_back(m);
      return 0;
    };
    return sent;
  }

 private slots:
  void aHorseWithItsFeedingPlanStartsWithThatReportTicked() {
    Fixture f("horse");
    MainWindow& main = OpenStable(f);
    MailWindow& w = main.Windows().Mail();
    f.Listen();
    std::unique_ptr<std::vector<OutgoingMail>> sent(Capture(w));
    QCOMPARE(w.windowTitle(), QStringLiteral("Epost"));
    TStall& nord = *f.ws->Stables()[0];
    THest& blakken = *nord.HorseByName("Blakken");
    const fs::path plan = HorseReportPath(nord.HorseDirectory(blakken), blakken, kFeedPlanReport);
    QVERIFY(WriteFileAtomically(plan, "<html></html>"));

    w.Horsemail(&blakken, plan);
    QVERIFY(w.isVisible());
    QCOMPARE(w.windowTitle(), QStringLiteral("Mail: Blakken - Nord"));
    auto* horses = Child<QListWidget>(&w, "OvcCheckSelectHorses");
    auto* reports = Child<QListWidget>(&w, "OvcCheckUtskrift");
    QCOMPARE(horses->count(), 2);
    QCOMPARE(Ticked(horses), QStringList({"Blakken"}));
    QCOMPARE(Ticked(reports), QStringList({"Foderplan"}));
    QCOMPARE(reports->count(), 8);
    QCOMPARE(Child<QListWidget>(&w, "OvcCheckStableReports")->count(), 5);
    QVERIFY(Child<QCheckBox>(&w, "cbHorseowner")->isChecked());
    QVERIFY(!Child<QCheckBox>(&w, "cbStableowner")->isChecked());
    Fixture::Shot(&w, "mailwindow");

    // Without the feeding plan: the owner's address and nothing attached.
    reports->item(2)->setCheckState(Qt::Unchecked);
    QTest::mouseClick(Child<QPushButton>(&w, "btnExecute"), Qt::LeftButton);
    QCOMPARE(sent->size(), size_t(1));
    QCOMPARE(sent->at(0).recipients, std::vector<std::string>({"ida@example.dk"}));
    QVERIFY(sent->at(0).attachments.empty());
    QVERIFY(sent->at(0).subject.empty());
    QVERIFY(sent->at(0).senderAddress.empty());
    QVERIFY(w.Attachments().Empty());

    // The ticks stay for another mail; the ticked report is written anew and attached.
    reports->item(2)->setCheckState(Qt::Checked);
    Child<QCheckBox>(&w, "cbIncludeHorseObjectFile")->setChecked(true);
    w.Execute();
    QCOMPARE(sent->size(), size_t(2));
    QCOMPARE(sent->at(1).attachments.size(), size_t(2));
    QVERIFY(ReadWholeFile(plan) != std::optional<std::string>("<html></html>"));
    QVERIFY(f.shown.entries.empty());
  }

  void aStableMailGoesToTheStableOwner() {
    Fixture f("stable");
    MainWindow& main = OpenStable(f);
    MailWindow& w = main.Windows().Mail();
    std::unique_ptr<std::vector<OutgoingMail>> sent(Capture(w));
    TStall& nord = *f.ws->Stables()[0];
    nord.StallEier = "Ida";
    main.Tree()->SelectRecord(&nord);
    main.mailWindow(nullptr, &nord);
    QCOMPARE(w.windowTitle(), QStringLiteral("Nord"));
    QVERIFY(Child<QCheckBox>(&w, "cbStableowner")->isChecked());
    QVERIFY(!Child<QCheckBox>(&w, "cbHorseowner")->isChecked());
    QVERIFY(Ticked(Child<QListWidget>(&w, "OvcCheckSelectHorses")).isEmpty());
    Child<QListWidget>(&w, "OvcCheckStableReports")->item(0)->setCheckState(Qt::Checked);
    w.Execute();
    QCOMPARE(sent->size(), size_t(1));
    QCOMPARE(sent->at(0).recipients, std::vector<std::string>({"ida@example.dk"}));
    QCOMPARE(sent->at(0).attachments.size(), size_t(1));
    QVERIFY(sent->at(0).attachments[0].filename().string().rfind("30", 0) == 0);
  }

  void resetKeepsOnlyTodaysPlans() {
    Fixture f("reset");
    MainWindow& main = OpenStable(f);
    MailWindow& w = main.Windows().Mail();
    w.Horsemail(f.ws->Stables()[0]->HorseByName("Alf"), {});
    Child<QCheckBox>(&w, "cbIncludeTodaysRations")->setChecked(true);
    Child<QCheckBox>(&w, "cbIncludeStableObjectFile")->setChecked(true);
    Child<QListWidget>(&w, "OvcCheckUtskrift")->item(0)->setCheckState(Qt::Checked);
    w.Attachments().Add(f.dir / "x.htm");
    QTest::mouseClick(Child<QPushButton>(&w, "btnNullStill"), Qt::LeftButton);
    QVERIFY(Ticked(Child<QListWidget>(&w, "OvcCheckUtskrift")).isEmpty());
    QVERIFY(Ticked(Child<QListWidget>(&w, "OvcCheckSelectHorses")).isEmpty());
    QVERIFY(!Child<QCheckBox>(&w, "cbIncludeStableObjectFile")->isChecked());
    QVERIFY(!Child<QCheckBox>(&w, "cbHorseowner")->isChecked());
    QVERIFY(Child<QCheckBox>(&w, "cbIncludeTodaysRations")->isChecked());
    QVERIFY(w.Attachments().Empty());
  }

  void chartsCollectUntilTheListIsEmptied() {
    Fixture f("charts");
    MainWindow& main = OpenStable(f);
    MailWindow& w = main.Windows().Mail();
    std::unique_ptr<std::vector<OutgoingMail>> sent(Capture(w));
    w.Attachments().Add(f.dir / "b.jpg");
    w.SendAttachments();
    w.Attachments().Add(f.dir / "a.jpg");
    w.SendAttachments();
    QCOMPARE(sent->at(1).attachments, std::vector<fs::path>({f.dir / "a.jpg", f.dir / "b.jpg"}));
    w.show();
    w.close();
    QVERIFY(w.Attachments().Empty());
  }

  void theMainWindowsMailCommands() {
    Fixture f("mainmail");
    MainWindow& main = OpenStable(f);
    MailWindow& w = main.Windows().Mail();
    std::unique_ptr<std::vector<OutgoingMail>> sent(Capture(w));
    f.app->preferences.HostEmailAdress = "stald@example.dk";
    main.simpleMail();
    QCOMPARE(sent->size(), size_t(1));
    QCOMPARE(sent->at(0).senderAddress, std::string("stald@example.dk"));
    QVERIFY(sent->at(0).recipients.empty() && sent->at(0).attachments.empty() && sent->at(0).subject.empty());

    // The tree's mail command: the record's name and its file.
    THest* alf = f.ws->Stables()[0]->HorseByName("Alf");
    main.Tree()->SelectRecord(alf);
    main.MailSelected();
    QCOMPARE(sent->size(), size_t(2));
    QCOMPARE(sent->at(1).subject, std::string("Alf"));
    QCOMPARE(sent->at(1).attachments, std::vector<fs::path>({f.ws->Stables()[0]->HorseFilePath(*alf)}));
  }

  void aHorseThatLeftTheTreeIsNotMailed() {
    Fixture f("forget");
    MainWindow& main = OpenStable(f);
    MailWindow& w = main.Windows().Mail();
    std::unique_ptr<std::vector<OutgoingMail>> sent(Capture(w));
    TStall& nord = *f.ws->Stables()[0];
    w.Horsemail(nord.HorseByName("Alf"), {});
    QVERIFY(nord.DeleteHorse("Alf"));
    w.Execute();
    QCOMPARE(sent->size(), size_t(1));
    QCOMPARE(w.CurrentHorse(), nullptr);
    QCOMPARE(w.CurrentStable(), &nord);
    w.ForgetRecords();
    w.Execute();
    QCOMPARE(sent->size(), size_t(2));
    QVERIFY(sent->at(1).attachments.empty() && sent->at(1).recipients.empty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Epost"));
  }
};

QTEST_MAIN(MailWindowTest)
#include "mailwindow_test.moc"
