// The calculation system switched from the preferences dialog, on a workspace in the Danish
// NRC 2007 system (two stand-alone lists, two stables with their lists and three horses):
// every feed list and ration saved by the switch to the French (feed unit) system equals what
// the command-line tool's convert (run as its own process) makes of the same list; switching
// back gives the original files within what the conversion formulas keep; the progress
// dialog counts every file it writes.

#include <QButtonGroup>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>
#include <cmath>
#include <map>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "forms/preferences_texts.h"
#include "smallwin_fixture.h"
#include "stable/system_switch.h"
#include "ui/appwindows.h"
#include "ui/preferences/preferencesdialog.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;
using uitest::Fixture;

// A list's energy record and every value of every feed, with each feed's category.
struct ListValues {
  EnergyRecord record;
  std::vector<int> categories;
  std::vector<std::vector<double>> values;
};
ListValues ValuesOf(const TForListe& l) {
  ListValues v{l.GetEnergyRecord(), {}, {}};
  for (const auto& f : l.Feeds()) {
    v.categories.push_back(f->Fortype);
    v.values.push_back(f->Analyse.Values());
  }
  return v;
}

void AddFeed(TForListe& list, const RecordEnvironment& env, const char* name, int category, double dm, double energy,
             double protein) {
  TFor& f = list.AddFeed(std::make_unique<TFor>(env));
  f.Fornavn = name;
  f.Fortype = static_cast<uint8_t>(category);
  f.TorrStoff = dm;
  f.Valgt = true;
  f.TildeltKg = 2;
  for (int n = 2; n < 24; ++n) f.SetValue(n, n * 1.25);
  f.SetValue(0, energy);
  f.SetValue(1, protein);
  f.UpdateRatio();
}

// Hay, haylage, oats and a mineral, in MJ DE and crude protein per kg as fed.
void FillList(TForListe& list, const RecordEnvironment& env, double scale) {
  AddFeed(list, env, "H\xf8", 1, 85, 8.4 * scale, 90 * scale);
  AddFeed(list, env, "Wrap", 2, 55, 5.2 * scale, 60 * scale);
  AddFeed(list, env, "Havre", 3, 88, 13.1 * scale, 110 * scale);
  AddFeed(list, env, "Mineral", 4, 95, 2.0 * scale, 60 * scale);
}

class SystemSwitchTest : public QObject {
  Q_OBJECT

  std::unique_ptr<Fixture> f_;
  const TEnergyProteinObj* nrc_ = nullptr;
  const TEnergyProteinObj* french_ = nullptr;

  const TEnergyProteinObj* Object(const char* utf8Name) {
    for (const auto& o : f_->app->energyList.Liste)
      if (o->Navn == Utf8ToCp1252(utf8Name)) return o.get();
    return nullptr;
  }
  // Every list of the workspace in memory with a label naming it, in the switch's order.
  std::vector<std::pair<std::string, TForListe*>> Lists() const {
    std::vector<std::pair<std::string, TForListe*>> all;
    for (const auto& l : f_->ws->FeedLists()) all.emplace_back(l->ForlisteNavn, l.get());
    for (const auto& s : f_->ws->Stables()) {
      all.emplace_back(s->stallNavn, s->ForListe.get());
      for (const auto& h : s->Horses()) all.emplace_back(s->stallNavn + "/" + h->Navn, h->ForListe.get());
    }
    return all;
  }
  // The same lists as their files now hold them, read afresh.
  std::vector<ListValues> OnDisk() const {
    const RecordEnvironment& env = f_->app->Env();
    std::vector<ListValues> all;
    for (const auto& l : f_->ws->FeedLists()) {
      TForListe read(env);
      read.LoadFromFile(l->FileNameFor());
      all.push_back(ValuesOf(read));
    }
    for (const auto& s : f_->ws->Stables()) {
      TStall read(env);
      read.Load(s->StableFilePath());
      all.push_back(ValuesOf(*read.ForListe));
      for (const auto& h : s->Horses()) {
        THest rh(env);
        rh.LoadfromFile(s->HorseFilePath(*h));
        all.push_back(ValuesOf(*rh.ForListe));
      }
    }
    return all;
  }
  std::map<std::string, std::string> Files() const {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(f_->app->preferences.SaveDirectory()))
      if (e.is_regular_file() && e.path().extension() != ".lck")
        files[e.path().string()] = ReadWholeFile(e.path()).value_or("");
    return files;
  }
  // The energy system as the tool's convert command takes it: calculation:basis:unit:factor:protein.
  static QString SystemArgument(const TEnergyProteinObj& o) {
    auto word = [](auto value) {
      return QString::fromStdString(std::string(EnumValueNames(value)[static_cast<size_t>(value)]));
    };
    return word(o.Energiberegning) + ":" + word(o.EnergiBasis) + ":" + word(o.EnergiEnhet) + ":" +
           QString::number(o.EnergiFaktor, 'g', 17) + ":" + word(o.ProteinBeregning);
  }
  // The command-line tool's conversion of a list, run as its own program on a copy of it.
  ListValues CliConvert(const TForListe& list, const std::string& label, const TEnergyProteinObj& to) {
    const fs::path copy = f_->dir / "cli" / (std::to_string(std::hash<std::string>{}(label)) + ".eqf");
    fs::create_directories(copy.parent_path());
    const_cast<TForListe&>(list).ExportToFile(copy);
    QProcess cli;
    cli.start(QStringLiteral(STALLORA_BIN_DIR "/stallora-cli"),
              {"--program-dir", QString::fromStdString(f_->dir.string()), "convert",
               QString::fromStdString(copy.string()), SystemArgument(to)});
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
      qFatal("stallora-cli convert %s: %s", label.c_str(), cli.readAllStandardError().constData());
    const QByteArray out = cli.readAllStandardOutput();
    TForListe converted(f_->app->Env());
    converted.LoadFromText(std::string_view(out.constData(), static_cast<size_t>(out.size())), copy);
    return ValuesOf(converted);
  }

  // Chooses the other entry of the system group and answers yes; returns what the progress
  // dialog showed: the largest count of each of its captions.
  std::map<QString, int> Switch() {
    f_->main->Windows().preferences(f_->main.get(), static_cast<int>(PreferencesPage::System));
    auto* dialog = f_->main->findChild<PreferencesDialog*>();
    auto* group = dialog->findChild<QButtonGroup*>();
    if (!group || group->buttons().size() != 2) qFatal("the Danish group has two entries");
    std::map<QString, int> shown;
    QTimer watch;
    watch.setInterval(0);
    connect(&watch, &QTimer::timeout, [&] {
      if (auto* p = dialog->findChild<QProgressDialog*>("dlgSwitchProgress"); p && p->maximum() > 0) {
        const QString caption = p->labelText().section(" (", 0, 0);
        shown[caption] = std::max(shown[caption], p->maximum());
      }
    });
    watch.start();
    f_->shown.answer = true;
    group->button(1 - group->checkedId())->click();
    return shown;
  }

 private slots:
  void init() {
    f_ = std::make_unique<Fixture>(QStringLiteral("switch"));
    nrc_ = Object("Danmark - NRC 2007 (DE, MJ, råprotein)");
    french_ = Object("Danmark - foderenheder hest og fordøjeligt råprotein");
    QVERIFY(nrc_ && french_);
    QCOMPARE(french_->Energiberegning, TEnergiBeregning::fransk);
    f_->app->SetActiveEnergyObject(*nrc_);
    f_->app->preferences.LastGlobalEPObjectName = nrc_->Navn;
    const RecordEnvironment& env = f_->app->Env();
    TForListe winter(env);
    winter.ForlisteNavn = "Vinter";
    FillList(winter, env, 1);
    winter.SaveToWorkspace();
    TForListe summer(env);
    summer.ForlisteNavn = "Sommer";
    FillList(summer, env, 0.8);
    summer.SaveToWorkspace();
    double scale = 0.9;
    for (const char* name : {"Nord", "Syd"}) {
      TStall& s = f_->WriteStable(name);
      s.NameFeedList();
      FillList(*s.ForListe, env, scale);
      QVERIFY(s.Save());
      for (const char* horse : {"Ares", "Bella"}) {
        if (std::string(name) == "Syd" && std::string(horse) == "Bella") continue;
        THest& h = f_->WriteHorse(s, horse);
        h.VektListe->LeggTil(520, f_->clock.Today() - 3);
        FillList(*h.ForListe, env, scale += 0.05);
        QVERIFY(s.SaveHorse(h));
      }
    }
    f_->Open();
    RegisterPreferencesWindows(*f_->main);
    f_->Listen();
    QCOMPARE(Lists().size(), size_t{7});
  }
  void cleanup() { f_.reset(); }

  void theSwitchSavesWhatTheToolConvertsAndBackWithinTheFormulas() {
    const std::vector<ListValues> original = OnDisk();
    for (const auto& l : original) QCOMPARE(l.record.EnergiBeregning, TEnergiBeregning::nrc2007);
    std::vector<ListValues> expected;
    for (const auto& [label, list] : Lists()) expected.push_back(CliConvert(*list, label, *french_));
    const auto filesBefore = Files();

    const std::map<QString, int> progress = Switch();
    QVERIFY2(f_->shown.Said(Tr(kPfSwitched)), f_->shown.said.empty() ? "" : f_->shown.said.back().c_str());
    QCOMPARE(f_->app->active->Navn, french_->Navn);

    // Each file holds what the tool makes of it: the same record, the same values (both write
    // the same doubles with the same three decimals).
    const std::vector<ListValues> converted = OnDisk();
    const auto labels = Lists();
    QCOMPARE(converted.size(), expected.size());
    for (size_t i = 0; i < converted.size(); ++i) {
      const char* what = labels[i].first.c_str();
      QVERIFY2(converted[i].record == expected[i].record, what);
      QCOMPARE(converted[i].record.EnergiBeregning, TEnergiBeregning::fransk);
      QVERIFY2(converted[i].values == expected[i].values, what);
      QVERIFY2(converted[i].values != original[i].values, what);
    }

    // The progress dialog counted the records, then every file it wrote: exactly the files
    // that changed on disk.
    const auto filesAfter = Files();
    int changed = 0;
    for (const auto& [path, bytes] : filesAfter) changed += filesBefore.count(path) && filesBefore.at(path) != bytes;
    QCOMPARE(changed, 7);  // two lists, two stables, three horses
    QCOMPARE(progress.at(Q(Tr(kSwConverting))), SwitchRecordCount(*f_->ws));
    QCOMPARE(progress.at(Q(Tr(kSwWriting))), changed);
    QCOMPARE(progress.at(Q(Tr(kSwReplacing))), changed);

    // Back to NRC 2007 (from the values in memory, not re-read from the files).
    Switch();
    QCOMPARE(f_->app->active->Navn, nrc_->Navn);
    const std::vector<ListValues> back = OnDisk();
    QCOMPARE(back.size(), original.size());
    for (size_t l = 0; l < back.size(); ++l) {
      const char* what = labels[l].first.c_str();
      QVERIFY2(back[l].record == original[l].record, what);
      QCOMPARE(back[l].categories, original[l].categories);
      for (size_t f = 0; f < back[l].values.size(); ++f)
        for (size_t n = 0; n < back[l].values[f].size(); ++n) {
          const double was = original[l].values[f][n];
          const double is = back[l].values[f][n];
          const bool roughage = IsRoughageCategory(original[l].categories[f]);
          // Concentrates' energy goes through factors that are each other's inverses and every
          // other value only to dry matter and back: after the three decimals of the file the
          // original comes back exactly. Roughage energy goes through two net-energy
          // regressions that are not each other's inverses, and protein through two linear
          // regressions that nearly are. Measured on these feeds (SWITCH_DEVIATIONS=1 prints
          // them): roughage energy comes back 0.8 to 1.2 % higher, roughage protein 0.017 %
          // lower, concentrate protein 0.003 % lower; the bounds allow about twice that.
          if (std::getenv("SWITCH_DEVIATIONS") && was != 0)
            qInfo("%s %zu %zu %s %.6f %.6f rel %.6g", what, f, n, roughage ? "R" : "C", was, is, (is - was) / was);
          double tolerance = 0;
          if (n == 0 && roughage) tolerance = 0.03 * was;
          if (n == 1) tolerance = 0.0005 + (roughage ? 0.0003 : 0.00005) * was;
          if (std::fabs(is - was) > tolerance)
            QFAIL(qPrintable(QString("%1 feed %2 value %3: %4 came back as %5")
                                 .arg(what)
                                 .arg(f)
                                 .arg(n)
                                 .arg(was, 0, 'f', 6)
                                 .arg(is, 0, 'f', 6)));
        }
    }
  }
};

}  // namespace
}  // namespace stallora

QTEST_MAIN(stallora::SystemSwitchTest)
#include "systemswitch_test.moc"
