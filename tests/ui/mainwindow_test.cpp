// The main window's commands on a real (temporary) workspace.

#include <deque>
#include <fstream>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include <QClipboard>
#include <QMenuBar>
#include <QListWidget>
#include <QMimeData>

#include "stable/online_service.h"
#include "stable/stable_reports.h"
#include "ui/horsewindow.h"
#include "ui/htmlview.h"
#include "ui/infobrowser.h"
#include "ui/mnemonics.h"
#include "ui/reportwindow.h"
#include "ui/stable/stablewindow.h"
#include "smallwin_fixture.h"

using namespace stallora;
using namespace stallora::uitest;

namespace {

// Serves one document for every address (the newest guarantee list).
class OneListClient final : public HttpClient {
 public:
  explicit OneListClient(std::string body) : body_(std::move(body)) {}
  std::optional<std::string> Get(const std::string&, std::chrono::milliseconds, std::string*) override { return body_; }
  bool GetToFile(const std::string&, const fs::path& file, std::chrono::milliseconds, std::string*) override {
    std::ofstream(file, std::ios::binary) << body_;
    return true;
  }

 private:
  std::string body_;
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  static QStringList Nodes(MainWindow& main) {
    QStringList out;
    QTreeWidgetItemIterator it(main.Tree());
    for (; *it; ++it) out << (*it)->text(0);
    return out;
  }
  static void Select(Fixture& f, const void* record) { f.main->Tree()->SelectRecord(record); }
  // A menu item of the main window by its caption (mnemonic marks ignored).
  static QAction* MenuItem(MainWindow& main, const QString& caption) {
    for (QAction* a : main.menuBar()->findChildren<QAction*>())
      if (QString(a->text()).remove('&') == caption) return a;
    return nullptr;
  }
  static QList<InfoBrowser*> InfoWindows() {
    QList<InfoBrowser*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* b = qobject_cast<InfoBrowser*>(w); b && b->isVisible()) out << b;
    return out;
  }

 private slots:
  void newStableTakesTheNextFreeNumber() {
    Fixture f("newstable");
    f.WriteStable("Min stald1");
    f.WriteStable("Min stald2");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    main.NewStable();
    QVERIFY(Nodes(main).contains("Min stald3"));
    QCOMPARE(f.ws->Stables().size(), size_t{3});
    // Without a guarantee feed list the user is told how to get feeds.
    QVERIFY(f.boxes.texts.contains(
        QStringLiteral("Garantifoderliste mangler! Kopier foder fra en eksisterende foderliste")));
  }

  void newHorseWithoutAStable() {
    Fixture f("nohorse");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    main.NewHorse();
    QCOMPARE(f.boxes.texts.last(), QString::fromUtf8("Opret en stald før du går videre!"));
    QVERIFY(f.ws->Stables().empty());
  }

  void newHorseGoesIntoTheOnlyStable() {
    Fixture f("onestable");
    f.WriteStable("Nord");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    main.NewHorse();
    QCOMPARE(f.ws->Stables()[0]->HorseCount(), 1);
    QVERIFY(Nodes(main).contains("Min hest1"));
  }

  void theOnlyGuaranteeListCannotBeDeleted() {
    Fixture f("guarantee");
    TForListe list(f.app->Env());
    list.ForlisteNavn = "Garanti";
    list.ErGarantiForliste = true;
    list.GarantiForlisteVersjon = 3;
    list.SaveToFile(f.app->preferences.FeedDirectory() / "Garanti.eqf");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    TForListe* g = f.ws->CurrentGuaranteeList();
    QVERIFY(g);
    Select(f, g);
    main.DeleteSelected();
    QCOMPARE(f.boxes.texts.last(), QStringLiteral("Garantifoderliste\nSlet ikke tilladt"));
    QVERIFY(std::filesystem::exists(f.app->preferences.FeedDirectory() / "Garanti.eqf"));
    QVERIFY(Nodes(main).contains("Garanti"));
  }

  void movingAHorseOutOfTheModelStableLeavesOneBehind() {
    Fixture f("movemodel");
    TStall& model = f.WriteStable("Modelheste");
    model.ErModellHestStall = true;
    model.Save();
    f.WriteHorse(model, "Mona");
    f.WriteStable("Nord");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    TStall* m = f.ws->StableByName("Modelheste");
    TStall* target = f.ws->StableByName("Nord");
    main.MoveHorse(*m->HorseByName("Mona"), *target);
    QVERIFY(m->HorseByName("Mona"));
    QVERIFY(target->HorseByName("Mona"));
    QVERIFY(std::filesystem::exists(target->HorseFilePath(*target->HorseByName("Mona"))));
  }

  void movingIntoAStableWithTheSameNameAsksUntilItIsDifferent() {
    Fixture f("moveasks");
    TStall& a = f.WriteStable("A");
    TStall& b = f.WriteStable("B");
    f.WriteHorse(a, "Blakken");
    f.WriteHorse(b, "Blakken");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    std::deque<QString> answers = {"", "Blakken", "Blakken II"};
    int asked = 0;
    QString firstCaption, firstPrompt;
    f.prompts.askText = [&](const QString& caption, const QString& prompt, const QString&) -> std::optional<QString> {
      if (++asked == 1) {
        firstCaption = caption;
        firstPrompt = prompt;
      }
      QString next = answers.front();
      answers.pop_front();
      return next;
    };
    TStall* sa = f.ws->StableByName("A");
    TStall* sb = f.ws->StableByName("B");
    main.MoveHorse(*sa->HorseByName("Blakken"), *sb);
    QCOMPARE(asked, 3);
    QCOMPARE(firstCaption, QStringLiteral("Blakken: Hest findes allerede. Angiv andet navn!"));
    QCOMPARE(firstPrompt, QStringLiteral("Angiv nyt navn"));
    QVERIFY(sb->HorseByName("Blakken II"));
    QCOMPARE(sa->HorseCount(), 0);
  }

  void importingAStableBringsItsHorses() {
    Fixture f("importstable");
    const auto outside = f.dir / "Eksport";
    {
      TStall s(f.app->Env());
      s.stallNavn = "Gaard";
      std::filesystem::create_directories(outside);
      SaveRecordToFile(s, outside / "Gaard.eqs");
      THest h(f.app->Env());
      h.Navn = "Ares";
      std::filesystem::create_directories(outside / "Ares");
      h.writeToFile(outside / "Ares" / "Ares.eqh");
    }
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    f.prompts.askFile = [&](const QString&, const QString&, const QString&) {
      return QString::fromStdString((outside / "Gaard.eqs").string());
    };
    main.ImportStable();
    QVERIFY(f.boxes.texts.contains(QStringLiteral("Gaard: Medtag heste")));
    QVERIFY(Nodes(main).contains("Gaard"));
    QVERIFY(Nodes(main).contains("Ares"));
    QVERIFY(std::filesystem::exists(f.app->preferences.SaveDirectory() / "Gaard" / "Ares" / "Ares.eqh"));
  }

  void mailingAStableAttachesOnlyTheStableFile() {
    Fixture f("mailstable");
    TStall& s = f.WriteStable("Nord");
    f.WriteHorse(s, "Bella");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    std::vector<std::filesystem::path> attached;
    std::string subject;
    f.prompts.mail = [&](const std::string& subj, const std::vector<std::filesystem::path>& files) {
      subject = subj;
      attached = files;
    };
    Select(f, f.ws->StableByName("Nord"));
    main.MailSelected();
    QCOMPARE(QString::fromStdString(subject), QStringLiteral("Nord"));
    QCOMPARE(attached.size(), size_t{1});
    QCOMPARE(QString::fromStdString(attached[0].filename().string()), QStringLiteral("Nord.eqs"));
  }

  void stablesOpenOnTheirWindowAndFeedListsOnTheirReportsOnce() {
    Fixture f("reportwindows");
    TStall& s = f.WriteStable("Nord");
    f.WriteHorse(s, "Bella", "Ida Hansen");
    TForListe list(f.app->Env());
    list.ForlisteNavn = "Vinter";
    TFor& oats = list.AddFeed(std::make_unique<TFor>(f.app->Env()));
    oats.Fornavn = "Havre <sort>";
    oats.Pris = 3.25;
    list.SaveToFile(f.app->preferences.FeedDirectory() / "Vinter.eqf");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    RegisterStableWindow(main.Windows());

    TStall* nord = f.ws->StableByName("Nord");
    QVERIFY(nord);
    main.OpenStable(*nord);
    QCOMPARE(main.MdiArea()->subWindowList().size(), 1);
    auto* stableWindow = qobject_cast<StableWindow*>(main.MdiArea()->activeSubWindow()->widget());
    QVERIFY(stableWindow);
    QCOMPARE(stableWindow->record(), static_cast<Record*>(nord));
    // The stable's reports are on its pages: the overview of its horses, the treatments.
    stableWindow->ShowPage(StablePage::Horses);
    QVERIFY(stableWindow->findChild<HtmlView*>("wbStallenshester")->toPlainText().contains("Ida Hansen"));
    // Bella has nothing planned: the treatment list has its title, says the stable has 0 and
    // has no row for her.
    stableWindow->ShowPage(StablePage::Treatments);
    const QString treatments = stableWindow->findChild<HtmlView*>("wbStabletreatments")->toPlainText();
    QVERIFY(treatments.contains("Behandlingsliste"));
    QVERIFY(treatments.contains("Nord: 0 Behandlinger planlagt frem til"));
    QVERIFY(!treatments.contains("Bella"));
    // Opening it again raises the same window; nothing was changed, so nothing to save.
    main.OpenStable(*nord);
    QCOMPARE(main.MdiArea()->subWindowList().size(), 1);
    QVERIFY(!stableWindow->HasUnsavedChanges());

    TForListe* vinter = nullptr;
    for (const auto& l : f.ws->FeedLists())
      if (l->ForlisteNavn == "Vinter") vinter = l.get();
    QVERIFY(vinter);
    main.OpenFeedList(*vinter);
    QCOMPARE(main.MdiArea()->subWindowList().size(), 2);
    auto* prices = qobject_cast<ReportWindow*>(main.MdiArea()->activeSubWindow()->widget());
    QVERIFY(prices);
    QVERIFY(prices->Html().find("Havre &lt;sort&gt;") != std::string::npos);
    QVERIFY(prices->View()->toPlainText().contains("3,25"));

    // The copy button puts the page on the clipboard with the block word processors read.
    prices->findChild<QToolButton*>("btnCopy")->click();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QVERIFY(data->hasFormat("HTML Format"));
    QVERIFY(data->data("HTML Format").startsWith("Version:"));
    QVERIFY(data->html().contains("Havre"));
    f.Shot(main.MdiArea(), "reportwindows");

    QVERIFY(main.SaveAndCloseAllWindows());
    QCOMPARE(main.MdiArea()->subWindowList().size(), 0);
  }

  // "Ny stald", "Ny hest", Gem on the horse, "Luk Stallora": the stable is saved with its
  // first horse, and a fresh start finds both.
  void aNewStableWithASavedHorseSurvivesClosing() {
    Fixture f("newstableclose");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    QStringList asked;
    f.prompts.ask = [&](Prompts::Buttons, const std::string& text) {
      asked << ScreenText(text);
      return Prompts::Answer::kYes;
    };
    main.NewStable();
    main.NewHorse();
    TStall* stable = f.ws->StableByName("Min stald1");
    QVERIFY(stable);
    QCOMPARE(stable->HorseCount(), 1);
    auto* horseWindow = qobject_cast<HorseWindow*>(main.MdiArea()->activeSubWindow()->widget());
    QVERIFY(horseWindow);
    auto* save = horseWindow->findChild<QAction*>("miSaveHorse");
    QVERIFY(save);
    save->trigger();
    const fs::path stableFile = stable->StableFilePath();
    const fs::path horseFile = stable->HorseFilePath(*stable->HorseAt(0));
    QVERIFY(fs::exists(stableFile));
    QVERIFY(main.close());
    QVERIFY(asked.isEmpty());  // nothing was left unsaved
    QVERIFY(fs::exists(stableFile));
    QVERIFY(fs::exists(horseFile));

    Workspace fresh(*f.app);
    fresh.Scan();
    const TStall* again = fresh.StableByName("Min stald1");
    QVERIFY(again);
    QVERIFY(again->HorseByName("Min hest1"));
  }

  // Closing asks about every stable with unsaved changes: Yes saves, No leaves it, Cancel
  // keeps the program open with nothing lost.
  void closingAsksAboutEveryUnsavedStable() {
    Fixture f("closeasks");
    f.WriteStable("Nord");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    main.NewStable();
    main.NewStable();
    f.ws->StableByName("Nord")->StallEier = "Ida Hansen";
    std::deque<Prompts::Answer> answers = {Prompts::Answer::kYes, Prompts::Answer::kNo, Prompts::Answer::kCancel};
    QStringList asked;
    f.prompts.ask = [&](Prompts::Buttons, const std::string& text) {
      asked << ScreenText(text);
      const auto a = answers.front();
      answers.pop_front();
      return a;
    };
    QVERIFY(!main.close());
    QCOMPARE(asked, QStringList({QString::fromUtf8("Nord: Data ændret! Vil du gemme de nye oplysninger"),
                                 QString::fromUtf8("Min stald1: Data ændret! Vil du gemme de nye oplysninger"),
                                 QString::fromUtf8("Min stald2: Data ændret! Vil du gemme de nye oplysninger")}));
    QVERIFY(main.isVisible());
    const fs::path S = f.app->preferences.SaveDirectory();
    QVERIFY(ReadWholeFile(S / "Nord" / "Nord.eqs")->find("Ida Hansen") != std::string::npos);
    QVERIFY(!fs::exists(S / "Min stald1" / "Min stald1.eqs"));

    // Asked again, only the stables still unsaved come up; No to both closes.
    asked.clear();
    answers = {Prompts::Answer::kNo, Prompts::Answer::kNo};
    QVERIFY(main.close());
    QCOMPARE(asked.size(), 2);
    QVERIFY(asked[0].startsWith("Min stald1:"));
  }

  // "Hent den seneste foderliste" deletes the old guarantee list: its window closes before
  // the record goes, and a horse window that offered it as another list stops offering it.
  void windowsOfAListThatGoesCloseFirst() {
    Fixture f("newestlist");
    TForListe old(f.app->Env());
    old.ForlisteNavn = "Garanti";
    old.ErGarantiForliste = true;
    old.GarantiForlisteVersjon = 3;
    old.AddFeed(std::make_unique<TFor>(f.app->Env())).Fornavn = "Havre";
    old.SaveToFile(f.app->preferences.FeedDirectory() / "Garanti.eqf");
    TStall& s = f.WriteStable("Nord");
    f.WriteHorse(s, "Bella");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    TForListe* g = f.ws->CurrentGuaranteeList();
    QVERIFY(g);
    main.OpenFeedList(*g);
    auto* listWindow = qobject_cast<ReportWindow*>(main.MdiArea()->activeSubWindow()->widget());
    QVERIFY(listWindow);
    QCOMPARE(listWindow->record(), static_cast<Record*>(g));
    main.OpenHorse(*f.ws->StableByName("Nord")->HorseByName("Bella"));
    auto* horseWindow = qobject_cast<HorseWindow*>(main.MdiArea()->activeSubWindow()->widget());
    QVERIFY(horseWindow);
    horseWindow->findChild<QPushButton*>("btnSelectOtherFeedlist")->click();
    auto* others = horseWindow->findChild<QListWidget*>("lbFremmedListe");
    QVERIFY(others);
    bool offered = false;
    for (int i = 0; i < others->count(); ++i) offered |= others->item(i)->data(Qt::UserRole).value<void*>() == g;
    QVERIFY(offered);
    QCOMPARE(others->item(0)->data(Qt::UserRole).value<void*>(), static_cast<void*>(g));
    emit others->itemActivated(others->item(0));  // the selection now works on the old list

    TForListe newer(f.app->Env());
    newer.ForlisteNavn = "Garanti4";
    newer.ErGarantiForliste = true;
    newer.GarantiForlisteVersjon = 4;
    newer.AddFeed(std::make_unique<TFor>(f.app->Env())).Fornavn = "Havre";
    const fs::path offeredFile = f.dir / "Garanti4.eqf";
    newer.SaveToFile(offeredFile);
    OneListClient client(*ReadWholeFile(offeredFile));
    OnlineService service(*f.app, client);
    f.app->online = true;
    f.app->newerGuaranteeList = true;
    f.app->offeredGuaranteeVersion = 4;
    f.app->offeredGuaranteeFile = "Garanti4.eqf";
    const Record* gone = g;
    QCOMPARE(service.GetNewestGuaranteeList(*f.ws), OnlineService::FetchResult::Done);
    main.RefreshTree();
    QApplication::processEvents();
    // What the user does next ("Opdater" on every report left open) must not reach a freed list.
    for (QMdiSubWindow* sub : main.MdiArea()->subWindowList())
      if (auto* w = qobject_cast<ReportWindow*>(sub->widget())) w->Refresh();
    QVERIFY(f.ws->CurrentGuaranteeList());
    QCOMPARE(QString::fromStdString(f.ws->CurrentGuaranteeList()->ForlisteNavn), QStringLiteral("Garanti4"));
    for (QMdiSubWindow* sub : main.MdiArea()->subWindowList())
      if (auto* w = qobject_cast<RecordWindow*>(sub->widget())) QVERIFY(w->record() != gone);
    QCOMPARE(main.MdiArea()->subWindowList().size(), 1);  // the horse window stays
    for (int i = 0; i < others->count(); ++i) QVERIFY(others->item(i)->data(Qt::UserRole).value<void*>() != gone);
    // The horse window works on: the selection went back to the stable's list.
    horseWindow->findChild<QPushButton*>("btnSelectOtherFeedlist")->click();
    QVERIFY(others->count() >= 1);
    QVERIFY(main.SaveAndCloseAllWindows());
  }

  // Web addresses go to the desktop's browser, not into a blank info window; when nothing
  // takes them, the window says which address and why. Local pages stay in the window.
  void webAddressesGoToTheDesktopsBrowser() {
    Fixture f("weblinks");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    QList<QUrl> handedOut;
    bool desktopTakesIt = true;
    f.prompts.openExternal = [&](const QUrl& url) {
      handedOut << url;
      return desktopTakesIt;
    };
    for (const char* caption : {"Om Stallora", "Brugsanvisning", "Normer"}) {
      QAction* item = MenuItem(main, QString::fromUtf8(caption));
      QVERIFY2(item, caption);
      item->trigger();
    }
    QCOMPARE(handedOut.size(), 3);
    QCOMPARE(handedOut[0], QUrl(Q(f.app->preferences.AboutPage())));
    QCOMPARE(handedOut[1], QUrl(Q(f.app->preferences.ManualPage())));
    QVERIFY(InfoWindows().isEmpty());
    // A feed company of the Links page.
    auto* links = main.findChild<QListWidget*>();
    QVERIFY(links && links->count() > 0);
    emit links->itemDoubleClicked(links->item(0));
    QCOMPARE(handedOut.size(), 4);
    QCOMPARE(handedOut[3], QUrl(Q(f.app->settings.feedCompanies[0].web)));
    QVERIFY(InfoWindows().isEmpty());

    desktopTakesIt = false;
    MenuItem(main, QStringLiteral("Om Stallora"))->trigger();
    QCOMPARE(InfoWindows().size(), 1);
    InfoBrowser* shown = InfoWindows().first();
    const QString text = shown->View()->toPlainText();
    QVERIFY2(text.contains(Q(f.app->preferences.AboutPage())), qPrintable(text));
    QVERIFY2(text.contains(QString::fromUtf8("kunne ikke åbnes")), qPrintable(text));
    shown->close();
    QApplication::processEvents();

    // A local page is shown in the window itself.
    const fs::path page = f.dir / "side.htm";
    std::ofstream(page, std::ios::binary) << "<html><body>Lokal side</body></html>";
    handedOut.clear();
    main.OpenInfoPage(QStringLiteral("Lokal"),
                      QUrl::fromLocalFile(QString::fromStdString(page.string())).toString().toStdString());
    QVERIFY(handedOut.isEmpty());
    QCOMPARE(InfoWindows().size(), 1);
    QVERIFY(InfoWindows().first()->View()->toPlainText().contains("Lokal side"));
    InfoWindows().first()->close();

    // The desktop's opener that ends with an error (xdg-open finding no browser) is told,
    // with its reason; one that succeeds is not.
    const fs::path opener = f.dir / "opener.sh";
    std::ofstream(opener) << "#!/bin/sh\necho \"opener: no method available for opening '$1'\" >&2\nexit 3\n";
    fs::permissions(opener, fs::perms::owner_all);
    QString why;
    QObject owner;
    QVERIFY(LaunchExternal(
        QUrl("https://stallora.example/om"), &owner, [&](const QString& w) { why = w; },
        QString::fromStdString(opener.string())));
    QTRY_VERIFY(!why.isEmpty());
    QCOMPARE(why, QStringLiteral("opener: no method available for opening 'https://stallora.example/om'"));
    bool told = false;
    QVERIFY(LaunchExternal(
        QUrl("https://stallora.example/"), &owner, [&](const QString&) { told = true; }, QStringLiteral("/bin/true")));
    QTest::qWait(300);
    QVERIFY(!told);
    QVERIFY(!LaunchExternal(QUrl("file:///tmp/x.htm"), &owner, {}, QStringLiteral("/bin/true")));
  }

  // Every menu and menu item of the main window and of a horse window has an Alt-letter of
  // its own within its menu, the horse window's bar none of the main bar's, and Alt+F
  // opens the first menu.
  void everyMenuItemHasItsOwnAltLetter() {
    Fixture f("mnemonics");
    TStall& s = f.WriteStable("Nord");
    f.WriteHorse(s, "Hansen & Co");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    main.OpenHorse(*f.ws->StableByName("Nord")->HorseByName("Hansen & Co"));
    auto* horseWindow = main.MdiArea()->activeSubWindow()->widget();
    QMenuBar* horseBar = horseWindow->findChild<QMenuBar*>();
    QVERIFY(horseBar);
    auto marks = [](const QString& text) {
      int n = 0;
      for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) != '&') continue;
        if (i + 1 < text.size() && text.at(i + 1) == '&') {
          ++i;
          continue;
        }
        ++n;
      }
      return n;
    };
    int checked = 0;
    std::function<void(const QList<QAction*>&, const QString&)> check = [&](const QList<QAction*>& actions,
                                                                            const QString& where) {
      QSet<QChar> used;
      for (QAction* a : actions) {
        if (a->isSeparator() || a->text().isEmpty()) continue;
        ++checked;
        QVERIFY2(marks(a->text()) == 1, qPrintable(where + ": " + a->text()));
        const QChar m = MnemonicOf(a->text());
        QVERIFY2(!used.contains(m), qPrintable(where + ": " + a->text() + " repeats " + QString(m)));
        used.insert(m);
        if (QMenu* sub = a->menu()) {
          emit sub->aboutToShow();  // the window menu is filled when it opens
          check(sub->actions(), where + " > " + a->text());
        }
      }
    };
    check(main.menuBar()->actions(), "main");
    check(horseBar->actions(), "horse");
    QVERIFY(checked > 40);
    const QSet<QChar> mainLetters = MnemonicsOf(main.menuBar());
    for (const QChar c : MnemonicsOf(horseBar)) QVERIFY2(!mainLetters.contains(c), qPrintable(QString(c)));
    // The horse's name is shown as it is, its '&' no mnemonic.
    bool nameShown = false;
    for (QAction* a : horseBar->actions().first()->menu()->actions())
      nameShown |= a->text() == QStringLiteral("&Hest: \"Hansen && Co\"");
    QVERIFY(nameShown);

    QApplication::setActiveWindow(&main);
    QMenu* file = main.menuBar()->actions().first()->menu();
    QCOMPARE(QString(main.menuBar()->actions().first()->text()), QStringLiteral("&Fil"));
    QVERIFY(!file->isVisible());
    QTimer::singleShot(200, file, [file] { file->close(); });
    QTest::keyClick(&main, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(file->isVisible() || main.menuBar()->activeAction() == main.menuBar()->actions().first());
  }

  void modelHorsesAndTheirStable() {
    Fixture f("modelhorses");
    MainWindow& main = f.Open();
    RegisterHorseWindow(main.Windows());
    main.CreateModelHorses();
    TStall* model = f.ws->ModelHorseStable();
    QVERIFY(model);
    QCOMPARE(model->HorseCount(), 6);
    QVERIFY(Nodes(main).contains(QString::fromUtf8("Føl og unghest_Model")));
  }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
