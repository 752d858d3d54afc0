#pragma once
// The horse's information page: name and owner, breed, birth date and age, sex, blood type
// and category (with the paddock), the reproduction dates, the young horse's weights and
// the picture with the horse's summary. Its handlers apply the horse form's rules through
// the window's editor; it repaints from the editor's flags.

#include <QImage>
#include <QWidget>
#include <string>

#include "forms/editor.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QToolButton;
class QVBoxLayout;

namespace stallora {

class HorseWindow;
class THest;

class HorseInformationPage : public QWidget {
  Q_OBJECT
 public:
  explicit HorseInformationPage(HorseWindow& window);

  void ShowRecord();
  // The controls' values into the record (inside the window's one commit).
  void TakeDataIntoRecord();
  void Repaint(ChangeFlags changed);
  void ApplyVisibility();
  // Entering the page: the dates, age and today's weight as the record has them now.
  void Enter();
  // The typed name becomes the horse's (false when refused; the user was told).
  bool ApplyName();
  QString TypedName() const;
  bool PaddockChecked() const;
  // A breed's standard weight offered for the young horse's adult weight (not yet taken).
  void OfferAdultWeight(double kg);
  void FocusName();
  // The horse's summary (or the new horse's hint) anew.
  void RefreshSummary();

 signals:
  // "Læg til dagbog": the ration's lines into the diary.
  void AddToDiaryRequested();

 private:
  THest& Horse() const;
  QWidget* BuildIdentity();
  QWidget* BuildCategories();
  QWidget* BuildReproduction();
  QWidget* BuildYoungHorse();
  void BuildPicture(QVBoxLayout* right);
  void Connect();
  void SetCaptions();

  // Today's weight and the gains of a young horse: the one place they are shown.
  void ShowTodaysWeight();
  void ShowAge();
  void NameEdited(const QString& text);
  void NameLeft();
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
  void UpdateAdultWeightHint();
  void BreedChosen(const QString& breed);
  void LoadPicture();
  void ShowPicture();
  void ChoosePicture();
  void DeletePicture();

  HorseWindow& window_;
  QString enteredTodaysWeight_;
  QImage picture_;

  QLineEdit* eNavn_ = nullptr;
  QComboBox* cbHesteeier_ = nullptr;
  QToolButton* btnRegistrer_ = nullptr;
  QToolButton* breedButton_ = nullptr;
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
  QToolButton* rateHelp_ = nullptr;
  QButtonGroup* rgYoungTraining_ = nullptr;
  QLabel* imgHest_ = nullptr;
  QPushButton* choosePicture_ = nullptr;
  QPushButton* deletePicture_ = nullptr;
  QListWidget* lbHesteInfo_ = nullptr;
  QLabel* lblNewHorse_ = nullptr;
  QPushButton* addDiary_ = nullptr;
};

}  // namespace stallora
