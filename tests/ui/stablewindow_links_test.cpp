// Where the stable window leads: a line of the treatment summary to the treatments page in
// its mode, a node of that tree to the horse's window and its treatment; the owner to the
// contacts window; the stable feed list group to the list's window, and its commands that
// empty the list or fill it from another list.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest/QtTest>

#include "core/cp1252.h"
#include "nutrition/treatments.h"
#include "stable_fixture.h"
#include "ui/horsehealth.h"
#include "ui/models/stabletreemodels.h"
#include "ui/stable/informationpage.h"
#include "ui/stable/treatmentspage.h"

namespace stallora {
namespace {

using uitest::Fixture;
using uitest::Place;

std::string C(const char* utf8) { return Utf8ToCp1252(utf8); }

TTreatmentObj& Plan(THest& horse, TTreatmentType type, const std::string& name, DayNumber planned) {
  TTreatmentObj& t = horse.TreatmentListe->AddNew();
  t.TreatmentType = type;
  t.TreatmentName = name;
  t.PlannedDate = planned;
  return t;
}

QModelIndex Child(const QAbstractItemModel* m, const QModelIndex& parent, const QString& text) {
  for (int r = 0; r < m->rowCount(parent); ++r)
    if (m->index(r, 0, parent).data().toString() == text) return m->index(r, 0, parent);
  return {};
}

QStringList Children(const QAbstractItemModel* m, const QModelIndex& parent) {
  QStringList out;
  for (int r = 0; r < m->rowCount(parent); ++r) out << m->index(r, 0, parent).data().toString();
  return out;
}

HorseWindow* HorseWindowOf(Place& p, const THest& horse) {
  for (QMdiSubWindow* sub : p.f.main->MdiArea()->subWindowList())
    if (auto* w = qobject_cast<HorseWindow*>(sub->widget()); w && &w->Horse() == &horse) return w;
  return nullptr;
}

// A feed list "Vinter" of the workspace with oats and carrots.
void WriteWinterList(Fixture& f) {
  TForListe list(f.app->Env());
  list.ForlisteNavn = "Vinter";
  for (auto [name, price] : {std::pair{"Havre", 3.25}, {"Gulerod", 1.5}}) {
    TFor& feed = list.AddFeed(std::make_unique<TFor>(f.app->Env()));
    feed.Fornavn = name;
    feed.Pris = price;
  }
  list.SaveToFile(f.app->preferences.FeedDirectory() / "Vinter.eqf");
}

class StableWindowLinksTest : public QObject {
  Q_OBJECT

 private slots:
  void aTypeLineLeadsToThatTypeAndItsTreatmentsToTheHorse() {
    Place p("summarytype");
    TStall& nord = p.Stable("Nord");
    const DayNumber today = p.f.app->Env().Today();
    THest& bella = *nord.HorseByName("Bella");
    THest& alf = *nord.HorseByName("Alf");
    Plan(bella, TTreatmentType::Worm, C("Ormekur forår"), today + 2);
    TTreatmentObj& later = Plan(bella, TTreatmentType::Worm, C("Ormekur efterår"), today + 5);
    Plan(alf, TTreatmentType::Worm, "Ormekur Alf", today + 3);
    Plan(alf, TTreatmentType::Shoe, "Beslag", today - 400);  // long past: not due, other type
    StableWindow* w = p.Open("Nord");
    StableInformationPage* info = w->InformationPage();
    w->WindowActivated();
    QAbstractItemModel* lines = info->SummaryList()->model();
    QCOMPARE(lines->rowCount(), 6);  // no ban: no seventh line
    QCOMPARE(lines->index(1, 0).data().toString(), QStringLiteral("Ormekur: 2 heste"));

    // The worm line: the treatments page, tree of types, the worm node open to its treatments.
    info->SummaryActivated(1);
    StableTreatmentsPage* tp = w->TreatmentsPage();
    QCOMPARE(w->Tabs()->currentWidget(), static_cast<QWidget*>(tp));
    QCOMPARE(tp->InnerTabs()->currentIndex(), 1);
    QCOMPARE(w->findChild<QLabel*>("lblTreatmentsUntil_tsTreatments")->text(),
             w->findChild<QLabel*>("lblTreatmentsUntil")->text());
    QVERIFY(p.f.shown.said.empty());
    const QAbstractItemModel* tree = tp->TreatmentModel();
    auto* view = w->findChild<QTreeView*>("tvStabletreatments");
    const QModelIndex root = tree->index(0, 0);
    QCOMPARE(root.data().toString(), QStringLiteral("Nord"));
    const QModelIndex worm = Child(tree, root, "Ormekur");
    QVERIFY(worm.isValid());
    QVERIFY(view->isExpanded(root));
    QVERIFY(view->isExpanded(worm));
    // The horses in the stable's order, as its horse list shows them.
    QStringList order = Children(info->HorseList()->model(), {});
    QCOMPARE(Children(tree, worm), order);
    const QModelIndex bellaNode = Child(tree, worm, "Bella");
    QVERIFY(view->isExpanded(bellaNode));
    // Her two, the later planned first; the shoeing type has its own node, not opened.
    QCOMPARE(tree->rowCount(bellaNode), 2);
    QVERIFY(tree->index(0, 0, bellaNode).data().toString().contains(Q(C("Ormekur efterår"))));
    QVERIFY(tree->index(1, 0, bellaNode).data().toString().contains(Q(C("Ormekur forår"))));
    const QModelIndex shoe = Child(tree, root, Q(TreatmentTypeName(static_cast<int>(TTreatmentType::Shoe))));
    QVERIFY(shoe.isValid());
    QVERIFY(!view->isExpanded(shoe));

    // A horse node: her window, on its treatments, nothing opened for editing.
    tp->TreatmentActivated(bellaNode);
    HorseWindow* hw = HorseWindowOf(p, bella);
    QVERIFY(hw);
    QVERIFY(hw->MainTabs()->currentWidget()->isAncestorOf(hw->HealthPage()) ||
            hw->MainTabs()->currentWidget() == hw->HealthPage());
    QVERIFY(!hw->HealthPage()->EditOpen());
    // A treatment node: the same window (not a second), its editor on that treatment.
    hw->MainTabs()->setCurrentIndex(0);
    tp->TreatmentActivated(tree->index(0, 0, bellaNode));
    QCOMPARE(p.Windows(), 2);
    QVERIFY(hw->HealthPage()->EditOpen());
    const QModelIndex current = hw->HealthPage()->Tree()->currentIndex();
    QVERIFY(current.data().toString().contains(Q(later.Caption())));
    // The root leads nowhere.
    tp->TreatmentActivated(root);
    QCOMPARE(p.Windows(), 2);
  }

  void aLineOfNoneSaysSoAndShowsAllTreatmentsByHorse() {
    Place p("summarynone");
    TStall& nord = p.Stable("Nord");
    Plan(*nord.HorseByName("Bella"), TTreatmentType::Worm, "Ormekur", p.f.app->Env().Today() + 1);
    StableWindow* w = p.Open("Nord");
    w->WindowActivated();
    StableInformationPage* info = w->InformationPage();
    QVERIFY(!info->SummaryGroup()->isHidden());
    QAbstractItemModel* lines = info->SummaryList()->model();
    const QString vet = lines->index(0, 0).data().toString();
    QVERIFY2(vet.endsWith(": 0 heste"), qPrintable(vet));
    info->SummaryActivated(0);
    // "<type>: Behandling ikke bestilt", the label for all treatments, the tree by horse.
    QCOMPARE(p.f.shown.said.size(), size_t{1});
    QCOMPARE(Q(p.f.shown.said[0]), vet.section(':', 0, 0) + ": Behandling ikke bestilt");
    QCOMPARE(w->findChild<QLabel*>("lblTreatmentsUntil_tsTreatments")->text(),
             QStringLiteral("Behandlingsinformation: Alle behandlinger"));
    StableTreatmentsPage* tp = w->TreatmentsPage();
    QCOMPARE(tp->InnerTabs()->currentIndex(), 1);
    const QAbstractItemModel* tree = tp->TreatmentModel();
    const QModelIndex root = tree->index(0, 0);
    QStringList horses = Children(tree, root);
    QCOMPARE(horses.size(), 2);
    QVERIFY(horses.contains("Bella") && horses.contains("Alf"));
    // Under each horse its six type nodes.
    QCOMPARE(tree->rowCount(Child(tree, root, "Bella")), 6);
  }

  void theOwnerLeadsToItsContactNewOrFound() {
    Place p("owner");
    std::vector<std::pair<TAdrRec, bool>> opened;
    p.f.main->Windows().ownerContacts = [&](QWidget*, const TAdrRec& c, bool isNew) { opened.emplace_back(c, isNew); };
    TAdrRec known;
    known.Navn = "Karen Jensen";
    known.Kategori = 1;
    known.Telefon = "12345678";
    p.f.app->contacts.AddRecord(known);
    StableWindow* w = p.Open("Nord");
    StableInformationPage* info = w->InformationPage();
    auto* r = w->findChild<QPushButton*>("btnRegistrer");
    QVERIFY(r->isVisibleTo(w));
    QCOMPARE(r->text(), QStringLiteral("R"));
    QCOMPARE(r->toolTip(), QStringLiteral("Registrerer ejeroplysninger"));

    // An owner who is no contact yet: a new contact of the owner type with that name.
    info->OwnerField()->setEditText("Ole Hansen");
    r->click();
    QCOMPARE(opened.size(), size_t{1});
    QCOMPARE(opened[0].first.Navn, std::string("Ole Hansen"));
    QCOMPARE(opened[0].first.Kategori, 2);
    QVERIFY(opened[0].second);
    // A contact of any type with the name: that contact, by a double click on the field.
    info->OwnerField()->setEditText("Karen Jensen");
    QTest::mouseDClick(info->OwnerField()->lineEdit(), Qt::LeftButton);
    QCOMPARE(opened.size(), size_t{2});
    QCOMPARE(opened[1].first, known);
    QVERIFY(!opened[1].second);
    // No name: nothing opens, the owner type's name says what is missing.
    info->OwnerField()->setEditText("");
    p.f.shown.said.clear();
    r->click();
    QCOMPARE(opened.size(), size_t{2});
    QCOMPARE(p.f.shown.said.size(), size_t{1});
    QVERIFY2(p.f.shown.said[0].find(": Navn mangler") != std::string::npos, p.f.shown.said[0].c_str());
  }

  void leavingTheOwnerFieldRecordsItOrSaysWhatIsMissing() {
    Place p("ownerleft");
    StableWindow* w = p.Open("Nord");
    QWidget* top = w->window();
    top->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(top));
    StableInformationPage* info = w->InformationPage();
    QComboBox* owner = info->OwnerField();
    QLineEdit* name = info->NameField();
    // Typed and left with the keyboard, as a user does: the stable has the new owner.
    owner->setFocus();
    QTRY_VERIFY(owner->hasFocus());
    owner->lineEdit()->selectAll();
    QTest::keyClicks(owner, "Ole Hansen");
    name->setFocus();
    QTRY_VERIFY(name->hasFocus());
    QCOMPARE(p.Stable("Nord").StallEier, std::string("Ole Hansen"));
    // Emptied and left: the owner type's name says the name is missing, the focus comes back.
    p.f.shown.said.clear();
    owner->setFocus();
    QTRY_VERIFY(owner->hasFocus());
    owner->lineEdit()->selectAll();
    QTest::keyClick(owner, Qt::Key_Delete);
    QCOMPARE(owner->currentText(), QString());
    name->setFocus();
    QTRY_COMPARE(p.f.shown.said.size(), size_t{1});
    QVERIFY2(p.f.shown.said[0].find(": Navn mangler") != std::string::npos, p.f.shown.said[0].c_str());
    QTRY_VERIFY(owner->hasFocus());
  }

  void withoutTheContactsWindowThereIsNoR() {
    Place p("noowner");
    p.f.main->Windows().ownerContacts = nullptr;
    StableWindow* w = p.Open("Nord");
    QVERIFY(!w->findChild<QPushButton*>("btnRegistrer")->isVisibleTo(w));
    // A double click on the owner then does nothing.
    w->InformationPage()->OwnerField()->setEditText("Ole");
    QTest::mouseDClick(w->InformationPage()->OwnerField()->lineEdit(), Qt::LeftButton);
    QCOMPARE(p.Windows(), 1);
  }

  void theFeedListGroupShowsEmptiesAndRefillsTheList() {
    Place p("feedlist", WriteWinterList);
    TStall& nord = p.Stable("Nord");
    TForListe& own = *nord.ForListe;
    for (const char* name : {"Hø", "Mineral", "Olie"}) {
      TFor& feed = own.AddFeed(std::make_unique<TFor>(p.f.app->Env()));
      feed.Fornavn = C(name);
    }
    StableWindow* w = p.Open("Nord");
    StableInformationPage* info = w->InformationPage();
    QGroupBox* group = info->FeedListGroup();
    QCOMPARE(group->title(), QStringLiteral("3 foder"));
    QVERIFY(info->FeedListChoices()->isHidden());

    // "Vis foderliste": the list's own window, once.
    w->findChild<QPushButton*>("btnVisForliste")->click();
    QCOMPARE(p.Windows(), 2);
    auto* listWindow = qobject_cast<RecordWindow*>(p.f.main->MdiArea()->activeSubWindow()->widget());
    QVERIFY(listWindow);
    QCOMPARE(listWindow->record(), static_cast<Record*>(&own));
    w->findChild<QAction*>("miStableShowFeedlist")->trigger();
    QCOMPARE(p.Windows(), 2);

    // Delete all: every feed goes, without a question; the caption names the list.
    p.f.shown.asked.clear();
    w->findChild<QAction*>("miDeleteAllfeeds")->trigger();
    QCOMPARE(own.Count(), 0);
    QVERIFY(p.f.shown.asked.empty());
    QCOMPARE(group->title(), Q(own.ForlisteNavn) + ": 0 foder");

    // New list: the other lists to choose from, then clones of the chosen one's feeds.
    w->findChild<QAction*>("miFeedsFromNewList")->trigger();
    QComboBox* choices = info->FeedListChoices();
    QVERIFY(!choices->isHidden());
    QStringList names;
    for (int i = 0; i < choices->count(); ++i) names << choices->itemText(i);
    QVERIFY(names.contains("Vinter"));
    QVERIFY(names.contains(Q(p.Stable("Syd").ForListe->ForlisteNavn)));  // another stable's too
    QVERIFY(!names.contains(Q(own.ForlisteNavn)));
    QCOMPARE(choices->currentIndex(), 0);
    info->FeedListChosen(static_cast<int>(names.indexOf("Vinter")));
    QVERIFY(choices->isHidden());
    QCOMPARE(own.Count(), 2);
    QCOMPARE(own.FeedAt(0)->Fornavn, std::string("Havre"));
    QCOMPARE(own.FeedAt(1)->Fornavn, std::string("Gulerod"));
    QCOMPARE(own.FeedAt(0)->Pris, 3.25);
    QCOMPARE(group->title(), Q(own.ForlisteNavn) + ": 2 foder");
    TForListe* winter = nullptr;
    for (const auto& l : p.f.ws->FeedLists())
      if (l->ForlisteNavn == "Vinter") winter = l.get();
    QVERIFY(winter);
    QVERIFY(own.FeedAt(0) != winter->FeedAt(0));  // copies, not the other list's feeds
    own.FeedAt(0)->Pris = 9;
    QCOMPARE(winter->FeedAt(0)->Pris, 3.25);
    QCOMPARE(winter->Count(), 2);
  }

  void aNewListNeedsAnotherList() {
    // One stable alone: its own list is the only one, so there is nothing to choose.
    Fixture f("nootherlist");
    f.WriteHorse(f.WriteStable("Ene"), "Bella");
    MainWindow& main = f.Open();
    RegisterStableWindow(main.Windows());
    f.Listen();
    main.OpenStable(*f.ws->StableByName("Ene"));
    auto* w = qobject_cast<StableWindow*>(main.MdiArea()->activeSubWindow()->widget());
    QVERIFY(w);
    w->findChild<QAction*>("miFeedsFromNewList")->trigger();
    QVERIFY(f.shown.Said("Fejl: foderliste Mangler"));
    QVERIFY(w->InformationPage()->FeedListChoices()->isHidden());
  }
};

}  // namespace
}  // namespace stallora

QTEST_MAIN(stallora::StableWindowLinksTest)
#include "stablewindow_links_test.moc"
