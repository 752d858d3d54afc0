#include "stable/system_switch.h"

#include <memory>
#include <vector>

#include "core/file_transaction.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "ration/evaluation.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

// What a conversion changes in a list, kept so that a failed switch can put it back exactly.
struct ListSnapshot {
  TForListe* list = nullptr;
  std::string label;  // names the list in a message
  EnergyRecord record;
  double versjon = 0;
  double factorConcentrate = 1;
  double factorOther = 1;
  std::vector<std::vector<double>> values;

  explicit ListSnapshot(TForListe& l, std::string name)
      : list(&l), label(std::move(name)), record(l.GetEnergyRecord()), versjon(l.Versjon),
        factorConcentrate(l.systemFactorConcentrate), factorOther(l.systemFactorOther) {
    values.reserve(l.Feeds().size());
    for (const auto& f : l.Feeds()) values.push_back(f->Analyse.Values());
  }
  void Restore() const {
    list->SetEnergyRecord(record);
    list->Versjon = versjon;
    list->systemFactorConcentrate = factorConcentrate;
    list->systemFactorOther = factorOther;
    for (size_t i = 0; i < values.size() && i < list->Feeds().size(); ++i) list->Feeds()[i]->Analyse.Values() = values[i];
  }
};

struct FileToWrite {
  fs::path path;
  std::string bytes;
};

void Recalculate(THest& h) {
  h.BeregnBehov();
  BeregnTilforsel(h);
}

class Switch {
 public:
  Switch(Workspace& ws, const TEnergyProteinObj& chosen, const SwitchProgress& progress)
      : ws_(ws), app_(ws.App()), chosen_(chosen), progress_(progress) {}

  SwitchOutcome Run() {
    previous_ = app_.active ? app_.active->Kopi() : nullptr;
    TakeSnapshots();
    app_.SetActiveEnergyObject(chosen_);
    if (!Convert() || !Serialise() || !Write()) {
      RollBackMemory();
      outcome_.ok = false;
      return outcome_;
    }
    AfterSaving();
    outcome_.ok = true;
    return outcome_;
  }

 private:
  fs::path SaveDir() const { return app_.preferences.SaveDirectory(); }

  void TakeSnapshots() {
    for (const auto& l : ws_.FeedLists()) snapshots_.emplace_back(*l, l->ForlisteNavn);
    for (const auto& s : ws_.Stables()) {
      snapshots_.emplace_back(*s->ForListe, PathTextBelow(s->StableFilePath(), SaveDir()));
      for (const auto& h : s->Horses())
        snapshots_.emplace_back(*h->ForListe, PathTextBelow(s->HorseFilePath(*h), SaveDir()));
    }
  }

  bool Convert() {
    const EnergyRecord target = EnergyRecord::Of(*app_.active);
    const int total = static_cast<int>(snapshots_.size());
    int done = 0;
    for (const ListSnapshot& snap : snapshots_) {
      std::string error;
      if (!snap.list->ConvertAllTo(target, target.ProteinType, &error)) return Fail(snap.label + ": " + error);
      // The list carries the whole record, the calculation system included.
      snap.list->SetEnergyRecord(target);
      Tell(SwitchPhase::Converting, ++done, total);
    }
    outcome_.feedLists = static_cast<int>(ws_.FeedLists().size() + ws_.Stables().size());
    for (const auto& s : ws_.Stables())
      for (const auto& h : s->Horses()) {
        Recalculate(*h);
        ++outcome_.horses;
      }
    return true;
  }

  bool Serialise() {
    try {
      for (const auto& l : ws_.FeedLists()) {
        if (auto problem = ValidateFileName(l->ForlisteNavn)) return Fail(l->ForlisteNavn + ": " + *problem);
        if (l->FeedDirectory().empty()) return Fail(l->ForlisteNavn + ": " + Tr(kNoFeedDirectory));
        l->Versjon = kProgramVersion;  // as saving a list does
        files_.push_back({l->FileNameFor(), RecordText(*l)});
      }
      for (const auto& s : ws_.Stables()) {
        if (auto problem = ValidateStableName(s->stallNavn)) return Fail(s->stallNavn + ": " + *problem);
        files_.push_back({s->StableFilePath(), RecordText(*s)});
        for (const auto& h : s->Horses()) {
          const fs::path file = s->HorseFilePath(*h);
          if (auto problem = ValidateFileName(h->Navn)) return Fail(s->stallNavn + "/" + h->Navn + ": " + *problem);
          // As saving a horse: one never saved does not replace a file it did not come from.
          std::error_code ec;
          if (h->ErNy && fs::exists(file, ec)) return Fail(PathTextBelow(file, SaveDir()) + ": " + Tr(kSwNeverSaved));
          files_.push_back({file, RecordText(*h)});
        }
      }
    } catch (const ObjTextError& e) {
      return Fail(e.what());
    }
    return true;
  }

  bool Write() {
    FileTransaction transaction;
    const int total = static_cast<int>(files_.size());
    int done = 0;
    for (FileToWrite& f : files_) {
      std::string error;
      if (!transaction.Stage(f.path, f.bytes, &error)) {
        transaction.Abort();
        return Fail(error);
      }
      std::string().swap(f.bytes);  // written; no need to hold thousands of files in memory
      Tell(SwitchPhase::Writing, ++done, total);
    }
    std::string error;
    if (!transaction.Commit(&error, [&](int d, int t) { Tell(SwitchPhase::Replacing, d, t); })) {
      restoreProblems_ = transaction.RestoreProblems();
      return Fail(error);
    }
    outcome_.files = total;
    return true;
  }

  void AfterSaving() {
    for (const auto& s : ws_.Stables()) {
      s->savedSignature = s->ChangeSignature();
      for (const auto& h : s->Horses()) {
        h->LagretSum = h->Fingerprint();
        h->ErNy = false;
      }
    }
  }

  void RollBackMemory() {
    for (const ListSnapshot& snap : snapshots_) snap.Restore();
    if (previous_) app_.SetActiveEnergyObject(*previous_);
    for (const auto& s : ws_.Stables())
      for (const auto& h : s->Horses()) Recalculate(*h);
    outcome_.feedLists = outcome_.horses = outcome_.files = 0;
  }

  bool Fail(const std::string& why) {
    std::string text = why + "\r" + Tr(kSwNotSwitched) + ". ";
    if (restoreProblems_.empty()) {
      text += Tr(kSwAllAsBefore);
    } else {
      text += Tr(kSwNotRestored);
      for (const std::string& p : restoreProblems_) text += "\r" + p;
    }
    outcome_.message = std::move(text);
    return false;
  }

  void Tell(SwitchPhase phase, int done, int total) const {
    if (progress_) progress_(phase, done, total);
  }

  Workspace& ws_;
  AppContext& app_;
  const TEnergyProteinObj& chosen_;
  const SwitchProgress& progress_;
  std::unique_ptr<TEnergyProteinObj> previous_;
  std::vector<ListSnapshot> snapshots_;
  std::vector<FileToWrite> files_;
  std::vector<std::string> restoreProblems_;
  SwitchOutcome outcome_;
};

}  // namespace

int SwitchRecordCount(const Workspace& workspace) {
  int n = static_cast<int>(workspace.FeedLists().size());
  for (const auto& s : workspace.Stables()) n += 1 + s->HorseCount();
  return n;
}

SwitchOutcome SwitchEnergySystem(Workspace& workspace, const TEnergyProteinObj& chosen,
                                 const SwitchProgress& progress) {
  // A copy: `chosen` may be the active object itself, which the switch replaces.
  const std::unique_ptr<TEnergyProteinObj> target = chosen.Kopi();
  return Switch(workspace, *target, progress).Run();
}

}  // namespace stallora
