#pragma once
// The feed-mix calculator: one mix (a feed list with ForBlanding set) composed from the
// workspace's feed lists, on three pages (selection, mixing, saving). The window holds the
// tabs, the mix's editor, the two models and the relay that hands each page the editor's
// flags; the pages never call each other. Closing does not save the mix: it is kept only by
// saving it as a recipe.

#include <memory>

#include "forms/feedmix_editor.h"
#include "ui/childwindow.h"
#include "ui/prompts.h"
#include "ui/services.h"

class QTabWidget;

namespace stallora {

class AppWindows;
class MainWindow;
class MixGridModel;
class MixSelectionPage;
class MixSourceTreeModel;
class MixingPage;
class MixSavingPage;

class FeedMixWindow : public RecordWindow {
  Q_OBJECT
 public:
  // A stored mix of the workspace.
  FeedMixWindow(TForListe& mix, Services& services, QWidget* parent = nullptr);
  // A new mix the window keeps until it is saved as a recipe.
  FeedMixWindow(std::unique_ptr<TForListe> mix, Services& services, QWidget* parent = nullptr);
  ~FeedMixWindow() override;

  Record* record() const override;
  bool SaveRecord(QString* error) override;
  bool HasUnsavedChanges() const override { return false; }
  void StoreSignature() override {}
  void RecordGoing(const Record& record) override;

  FeedMixEditor& Editor() const { return *editor_; }
  Services& services() { return services_; }
  Prompts& Ask() const { return *services_.prompts; }

  MixSourceTreeModel* TreeModel() const { return treeModel_; }
  MixGridModel* GridModel() const { return gridModel_; }

  // The mix as a feed in the ration of the horse of the drop-down's entry; the horse's window
  // opens on its feeding page. False when there is no such horse or no mix feed.
  bool TryOnHorse(int horseEntry);

  QTabWidget* Tabs() const { return tabs_; }
  MixSelectionPage* SelectionPage() const { return selection_; }
  MixingPage* Mixing() const { return mixing_; }
  MixSavingPage* SavingPage() const { return saving_; }

 private:
  void Build();
  void Edited(unsigned changed);
  void ShowPages();
  void TabChosen();

  Services& services_;
  std::unique_ptr<FeedMixEditor> editor_;
  bool syncing_ = false;
  MixSourceTreeModel* treeModel_ = nullptr;
  MixGridModel* gridModel_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  MixSelectionPage* selection_ = nullptr;
  MixingPage* mixing_ = nullptr;
  MixSavingPage* saving_ = nullptr;
};

// The calculator and the generate-feed-list dialog plugged into the program's windows: the
// hooks feedMix and generateFeedList and the factory of stored mixes.
void RegisterFeedMixWindows(AppWindows& windows, MainWindow& main);

}  // namespace stallora
