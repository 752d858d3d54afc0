#pragma once
// The window in which one horse is edited: its identity, breed, sex, category and dates,
// reproduction and young-horse data, weight, training and requirement, the ration tab,
// the registration data with the diary, and the treatments. The window keeps its controls
// and the record in step; the record and the library do all the arithmetic.

#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/filestamp.h"
#include "forms/horse_editor.h"
#include "stable/adresser.h"
#include "ui/childwindow.h"
#include "ui/prompts.h"
#include "ui/services.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTableView;
class QTabWidget;
class QToolButton;

namespace stallora {

class HorseDiary;
class HorseHealthPage;
class HorseWeightPage;
class HtmlView;
class RationPage;
class ClickLabel;

class HorseWindow : public RecordWindow {
  Q_OBJECT
 public:
  HorseWindow(THest& horse, Services& services, QWidget* parent = nullptr);
  ~HorseWindow() override;

  Record* record() const override;
  void TakeDataIntoRecord() override;
  bool SaveRecord(QString* error) override;
  bool HasUnsavedChanges() const override;
  void StoreSignature() override;
  // Another program may have saved the horse meanwhile: read it again (asking first when the
  // window holds unsaved edits).
  void WindowActivated() override;
  void RecordGoing(const Record& record) override;

  THest& Horse() const { return *horse_; }
  Services& services() { return services_; }
  // How the window asks and tells the user: the services' prompts (tests put in theirs).
  Prompts& Ask() const { return *services_.prompts; }
  std::filesystem::path HorseDirectory() const;
  bool Loading() const { return loading_ > 0; }
  // After the window has let its record go (closing): handlers do nothing any more.
  bool Dead() const { return dead_; }

  // The editor of the horse and its ration: every edit of the window goes through it.
  HorseEditor& Editor() const { return *editor_; }
  // The window's rules changed the horse's data: one commit of the editor (the requirement
  // and the ration's supply anew; the summary follows from the notification).
  void Recalculate(ChangeFlags changed = kHorseData);
  // Shows each fault of the last requirement computation that was not shown yet.
  void ReportFormulaFaults();
  void RefreshSummary();
  // The record into the controls.
  void ShowRecord();
  void ApplyVisibility();
  // "Opdatere": controls to record, visibility, summary, training labels, the active page.
  void UpdateStep();
  void RefreshBanIcon();
  // The treatments tab with the ban treatment selected.
  void ShowBanTreatment();
  void ShowTreatmentsTab();
  // Marks the horse changed because the diary changed.
  void DiaryEdited();
  // Lines into the top of the diary: with the horse's summary or only the ration lines.
  void AddToDiary(bool withHorse);
  // After the weighings changed: summary, today's weight and gain fields.
  void WeighingsChanged();
  // A young horse's adult weight from breed `row` of the breed-weight list.
  void BreedWeightChosen(int row);
  // The mail of a horse with an attachment (or none).
  void MailHorse(const std::filesystem::path& attachment);
  QString CaptionText() const;

  // Pages, for the tests and the screenshots.
  QTabWidget* MainTabs() const { return pcForm_; }
  QTabWidget* HorseTabs() const { return pcHest_; }
  QTabWidget* InfoTabs() const { return pcInfo_; }
  HorseWeightPage* WeightPage() const { return weightPage_; }
  HorseHealthPage* HealthPage() const { return healthPage_; }
  HorseDiary* Diary() const { return diary_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenu(QMenu* menu);
  QWidget* BuildInformationPage();
  QWidget* BuildTrainingPage();
  QWidget* BuildRequirementPage();
  QWidget* BuildRegistrationPage();
  void SetCaptions();

  // Handlers (the algorithms of the horse data pages).
  void NameEdited(const QString& text);
  void NameLeft();
  bool ApplyName();
  void OwnerChosen(const QString& name);
  void OwnerRegister();
  void SexChosen(int id);
  void CategoryChosen(int id);
  void BirthDateChanged(bool fromAgeField);
  void BirthDateLeft();
  void AgeLeft();
  void ShowReproductionBox();
  void MatingDateLeft();
  void FoalingDateLeft();
  void MonthsFieldLeft(bool pregnancy);
  void AdultWeightLeft();
  void TodaysWeightLeft();
  void TodaysGainLeft();
  void RefreshGainLabels();
  void UpdateAdultWeightHint();
  void BreedChosen(const QString& breed);
  void LoadPicture();
  void ShowPicture();
  void ChoosePicture();
  void DeletePicture();
  void TrainingMoved(int position);
  void RefreshTraining();
  void PaddockClicked();
  void RegistrationNumberLeft();
  void ShowRequirementReport();
  void PageEntered();
  void InformationPageLeft();
  void ResetHorse(bool withFeeds);
  void DeleteHorse();
  void SaveHorseCommand();
  void RenameCaption(const std::string& name);
  bool DiscardChanges();
  // Before a save: when another program changed the horse's file, the user's choice; true
  // goes ahead with the save, false does not (`problem` says why, or is empty when the user
  // cancelled or took the other version).
  bool CheckFileBeforeSave(std::string* problem);
  // The horse read again from its file into the stable; this window gives way to one on the
  // new record. False (the message shown) when the file cannot be read.
  bool ReloadFromDisk();

  // What an edit of the horse or its ration changed: the summary, the visibility, the
  // training tab.
  void Edited(ChangeFlags changed);

  THest* horse_;
  Services& services_;
  std::unique_ptr<HorseEditor> editor_;
  int loading_ = 0;
  bool dead_ = false;
  // The requirement formulas' faults the user has been shown (each once per window).
  std::vector<std::string> shownFaults_;
  QString enteredTodaysWeight_;
  int lastHorsePage_ = 0;

  QTabWidget* pcForm_ = nullptr;
  QTabWidget* pcHest_ = nullptr;
  QTabWidget* pcInfo_ = nullptr;
  QWidget* tsHest_ = nullptr;
  QWidget* tsFeedsAndfeeding_ = nullptr;
  QWidget* tsOpplysninger_ = nullptr;
  QWidget* tsTreatments_ = nullptr;
  QWidget* tsHesteInformasjon_ = nullptr;
  QWidget* tsVekt_ = nullptr;
  QWidget* tsTrening_ = nullptr;
  QWidget* tsRequirements_ = nullptr;
  QMenu* menuHorse_ = nullptr;
  QAction* miHorseDefinition_ = nullptr;
  ClickLabel* banIcon_ = nullptr;

  // information page
  QLineEdit* eNavn_ = nullptr;
  QComboBox* cbHesteeier_ = nullptr;
  QToolButton* btnRegistrer_ = nullptr;
  QLabel* lblRace_ = nullptr;
  QLineEdit* edRase_ = nullptr;
  QGroupBox* grbBreedHelp_ = nullptr;
  QComboBox* cbbreed_ = nullptr;
  QCheckBox* cbUseBreedPicture_ = nullptr;
  QButtonGroup* rgKjonn_ = nullptr;
  QButtonGroup* rgBlodstype_ = nullptr;
  QButtonGroup* rgHestetype_ = nullptr;
  QGroupBox* rgHestetypeBox_ = nullptr;
  QDateEdit* dtpFodselsDato_ = nullptr;
  QSpinBox* pfAlder_ = nullptr;
  QLabel* lblAlderEnhet_ = nullptr;
  QCheckBox* cbActiveHorse_ = nullptr;
  QGroupBox* grbReproduksjon_ = nullptr;
  QDateEdit* dtpBedekkingsDato_ = nullptr;
  QSpinBox* pfDrektighetsMnd_ = nullptr;
  QDateEdit* dtpPartusDato_ = nullptr;
  QSpinBox* pfLaktasjonsMnd_ = nullptr;
  QPushButton* btnNyBedekning_ = nullptr;
  QWidget* matingRow_ = nullptr;
  QWidget* foalingRow_ = nullptr;
  QGroupBox* grbUnghest_ = nullptr;
  QLineEdit* eForventetVoksenVekt_ = nullptr;
  QLineEdit* eVektIdag_ = nullptr;
  QLabel* lblTeoretiskTilvekst_ = nullptr;
  QLineEdit* eDagensTilvekst_ = nullptr;
  QButtonGroup* rgOnsketVekstHastighet_ = nullptr;
  QButtonGroup* rgYoungTraining_ = nullptr;
  QLabel* imgHest_ = nullptr;
  QListWidget* lbHesteInfo_ = nullptr;
  QLabel* lblNewHorse_ = nullptr;
  QImage picture_;

  // training page
  QSlider* tbTreningsMengde_ = nullptr;
  QLabel* lblEnergibehov_ = nullptr;
  QLabel* lblRationEnergy_ = nullptr;
  QLabel* lblWarning_ = nullptr;
  QLabel* imgEnergyBar_ = nullptr;
  QTableView* otAllocations2_ = nullptr;

  // requirement page
  QLabel* lblEnergySystem_ = nullptr;
  HtmlView* wbRequirements_ = nullptr;
  std::string requirementReport_;

  // registration page
  QLineEdit* edUELN_ = nullptr;
  QDateEdit* dtpInnPaStall_ = nullptr;
  QLineEdit* eFar_ = nullptr;
  QLineEdit* eMor_ = nullptr;
  QPlainTextEdit* mAvtegn_ = nullptr;
  QPlainTextEdit* mKondisjon_ = nullptr;
  QPlainTextEdit* mEierOpplysninger_ = nullptr;

  HorseWeightPage* weightPage_ = nullptr;
  HorseHealthPage* healthPage_ = nullptr;
  HorseDiary* diary_ = nullptr;
  RationPage* rationPage_ = nullptr;
  // A record given up by "No" at closing lives until the pages that point to it are gone.
  std::unique_ptr<THest> discarded_;
  // What the window was last told about the horse's file on activation.
  ReloadWatch reloadWatch_;
  bool checkingDisk_ = false;  // a question of the check is open
};

// Registers the horse window's factory (and the horse window's hooks) with the program's
// windows.
void RegisterHorseWindow(AppWindows& windows);

}  // namespace stallora
