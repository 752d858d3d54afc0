#pragma once
// The generate-feed-list dialog's state and rules, without Qt: a target list rebuilt from
// the brands of a source list of the workspace. The form keeps the target's exact text when
// it opens, so that anything but OK puts the target back byte for byte. Texts are
// Windows-1252.

#include <string>
#include <vector>

#include "feeds/mix_sources.h"
#include "stable/workspace.h"

namespace stallora {

class GenerateForm {
 public:
  GenerateForm(TForListe& target, Workspace& workspace);

  // Whether the dialog can be shown: the workspace has another list to take brands from.
  bool Available() const { return !sources_.empty(); }
  std::string Caption() const;  // "Vælg leverandører til: <target>"
  std::vector<std::string> SourceNames() const;
  int SourceIndex() const { return source_; }
  void ChooseSource(int index);

  const std::vector<std::string>& Brands() const { return brands_; }
  const std::vector<bool>& Checks() const { return checks_; }
  void SetCheck(int index, bool checked);
  void SelectAll();
  void ClearSelection();
  std::string CountText() const;         // "2 Leverandør Valgt (5 foder)"
  std::string BrandBoxCaption() const;   // "Klik for at vælge: Leverandør fra <source>"
  std::string KeepBoxCaption() const;    // "Valg alternativ for foder i <target>"
  std::string NotListedCaption() const;  // "Behold foderblandinger som ikke findes på listen <source>"
  bool KeepBoxVisible() const { return target_.Count() > 0; }

  KeepFeeds keep;

  // OK: the target rebuilt; returns the feeds added (-1 without a source: nothing done).
  int Accept();
  // Anything but OK: the target as it was when the form opened.
  void Cancel();
  bool Accepted() const { return accepted_; }

 private:
  std::vector<std::string> CheckedBrands() const;
  TForListe& target_;
  std::vector<TForListe*> sources_;
  int source_ = -1;
  std::vector<std::string> brands_;
  std::vector<bool> checks_;
  std::string backup_;
  std::string backupFile_;
  bool backupMixFile_ = false;
  bool accepted_ = false;
};

}  // namespace stallora
