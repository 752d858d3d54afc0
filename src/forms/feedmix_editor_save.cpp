// The calculator's saving page: the mix as a feed of a list, the mix as a recipe, the mix
// tried on a horse.

#include <algorithm>
#include <filesystem>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "feeds/mix.h"
#include "forms/feedmix_editor.h"
#include "forms/feedmix_texts.h"

namespace stallora {

namespace {
// A library message about a file that does not name it yet gets the file's name.
std::string NamingFile(std::string message, const std::filesystem::path& file) {
  const std::string name = PathText(file);
  if (!name.empty() && message.find(name) == std::string::npos) message += ": " + name;
  return message;
}
}  // namespace

void FeedMixEditor::ChooseTarget(int index) {
  if (index < 0 || index >= static_cast<int>(lists_.size()) || index == target_) return;
  target_ = index;
  Commit(kMixLists, false);
}

TStall* FeedMixEditor::StableOwning(const TForListe* list) const {
  for (const auto& s : workspace_.Stables())
    if (s->ForListe.get() == list) return s.get();
  return nullptr;
}

bool FeedMixEditor::SaveList(TForListe& list) {
  std::string error;
  if (TStall* stable = StableOwning(&list)) {
    if (stable->Save(&error)) return true;
    Say(NamingFile(error, stable->StableFilePath()), true);
    return false;
  }
  try {
    list.SaveToWorkspace();
    return true;
  } catch (const ObjTextError& e) {
    Say(NamingFile(e.what(), list.FileNameFor()), true);
    return false;
  }
}

bool FeedMixEditor::SaveMix() {
  try {
    mix_->SaveToWorkspace();
    return true;
  } catch (const ObjTextError& e) {
    Say(NamingFile(e.what(), mix_->FileNameFor()), true);
    return false;
  }
}

MixSaveResult FeedMixEditor::SaveAsFeed() {
  if (target_ < 0 || target_ >= static_cast<int>(lists_.size())) {
    Say(Tr(kMxNoTarget), true);
    return MixSaveResult::kRefused;
  }
  TForListe& target = *lists_[static_cast<size_t>(target_)];
  const std::string name = Trim(feedName_);
  if (name.empty()) {
    Say(Tr(common::kNavnMangler), true);
    return MixSaveResult::kRefused;
  }
  std::unique_ptr<TFor> feed = MixFeedFor(*mix_, choice_, name);
  if (!feed) return MixSaveResult::kRefused;
  const std::string& shown = feed->Fornavn;  // cut to the length a feed name has
  if (TFor* old = target.FeedByName(shown)) {
    const std::string question =
        shown + ": " + Tr(kMxFindesAllerede) + " " + target.ForlisteNavn + ". " + Tr(kMxErstat) + "?";
    if (!ask_.Confirm(question)) {
      Say(Tr(kMxNytNavn) + ": " + shown, false);
      return MixSaveResult::kCancelled;
    }
    target.RemoveFeed(old);
    target.AddFeedFrom(feed->Clone(), mix_);
  } else {
    if (!ask_.Confirm(shown + ": " + Tr(kMxLaegTilIListen) + " " + target.ForlisteNavn + "?"))
      return MixSaveResult::kCancelled;
    target.AddFeedFrom(feed->Clone(), mix_);
    target.SortByCategory();
  }
  // Saved in both cases: a replaced feed that lived only in memory would be lost at the end.
  const bool saved = SaveList(target);
  Commit(kMixLists | kMixWorkspace, false);
  return saved ? MixSaveResult::kSaved : MixSaveResult::kFailed;
}

MixSaveResult FeedMixEditor::SaveAsRecipe(const std::string& typed) {
  const std::string name = Trim(typed);
  if (name.empty()) {
    Say(Tr(common::kNavnMangler), true);
    return MixSaveResult::kRefused;
  }
  if (auto problem = ValidateFileName(name)) {
    Say(*problem, true);
    return MixSaveResult::kRefused;
  }
  // Another list of the workspace under the name would make two lists of one name.
  auto other = [&](const TForListe* l) { return l && l != mix_ && SameText(l->ForlisteNavn, name); };
  bool taken = std::any_of(workspace_.FeedLists().begin(), workspace_.FeedLists().end(),
                           [&](const auto& l) { return other(l.get()); });
  for (const auto& s : workspace_.Stables()) taken = taken || other(s->ForListe.get());
  if (taken) {
    Say(Tr(kListExists) + ": " + name, true);
    return MixSaveResult::kRefused;
  }
  const int category = MixCategoryOfChoice(choice_);
  if (category >= 0) mix_->Forblandingstype = static_cast<TForkategorier>(category);

  // The file the recipe goes to, without changing the mix yet.
  const std::string oldName = mix_->ForlisteNavn;
  const std::string oldFile = mix_->ForListeFilNavn;
  mix_->ForlisteNavn = name;
  const std::filesystem::path file = mix_->FileNameFor();
  mix_->ForlisteNavn = oldName;
  const std::filesystem::path ownFile = oldFile.empty() ? std::filesystem::path() : PathFromText(oldFile);
  mix_->ForListeFilNavn = oldFile;
  std::error_code ec;
  const bool exists = std::filesystem::exists(file, ec);
  const bool ownFileThere = exists && !ownFile.empty() && std::filesystem::equivalent(file, ownFile, ec);
  // A stored mix saved under its own name is the expected case; anything else written over
  // is asked about first.
  const bool ask = exists && !(ownFileThere && !OwnsMix() && name == oldName);
  if (ask && !ask_.Confirm(name + " " + FirstLetterLower(Tr(kMxFindesAendre)) + "! " + Tr(kMxErstat) + "?")) {
    Say(Tr(kMxNytNavn) + ": " + name, false);
    return MixSaveResult::kCancelled;
  }
  ChangeFlags changed = kMixWorkspace;
  if (name != oldName) {
    if (exists) {
      // The user chose to write over that file; the mix's old file stays as it was.
      mix_->ForlisteNavn = name;
      mix_->FileNameFor();
    } else {
      std::string error;
      if (!mix_->Rename(name, &error)) {
        Say(error, true);
        return MixSaveResult::kRefused;
      }
    }
    changed |= kMixName;
  }
  const bool saved = SaveMix();
  if (saved && owned_) {
    workspace_.AddFeedList(std::move(owned_));
    changed |= kMixLists;
  }
  FillLists();
  Commit(changed, false);
  return saved ? MixSaveResult::kSaved : MixSaveResult::kFailed;
}

std::vector<std::string> FeedMixEditor::HorseEntries() const {
  std::vector<std::string> entries;
  for (const THest* h : horses_) entries.push_back(HorseEntry(*h));
  return entries;
}

THest* FeedMixEditor::HorseAt(int index) const {
  return index >= 0 && index < static_cast<int>(horses_.size()) ? horses_[static_cast<size_t>(index)] : nullptr;
}

std::unique_ptr<TFor> FeedMixEditor::TrialFeed() const {
  const std::string name = Trim(feedName_);
  auto feed = MixFeedFor(*mix_, choice_, name.empty() ? Tr(kHestefoder) : name);
  if (feed) feed->Valgt = true;
  return feed;
}

}  // namespace stallora
