#pragma once
// What every page of the ration tab works with: the tab's editor (and the horse it edits),
// the services, and the few things more than one page needs (the directories, the chosen
// nutrients, feed information and help, the printer, storing a report under a name). The
// pages share this and nothing else; they never reach each other.

#include <QString>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include <QWidget>

#include "forms/ration_editor.h"
#include "stable/stall.h"
#include "ui/services.h"

class QListWidget;
class QPrinter;
class QPushButton;

namespace stallora {

class EditorRelay;

struct RationContext {
  RationEditor& editor;
  Services& services;
  // The editor's notifications, for the pages' models.
  EditorRelay& relay;

  THest& Horse() const { return editor.Horse(); }
  TForListe& Ration() const { return editor.Ration(); }
  const CountrySettings& Settings() const { return SettingsOf(*Horse().env); }
  const Regional& Reg() const { return Horse().env->regional; }
  char Sep() const { return Reg().decimalSeparator; }
  TPreferences* Prefs() const { return services.app ? &services.app->preferences : nullptr; }
  TForListe* StableList() const { return Horse().stable ? Horse().stable->ForListe.get() : nullptr; }
  int StableMeals() const { return Horse().stable ? Horse().stable->StallNoMeals : Horse().HestNoMeals; }
  std::filesystem::path TempDir() const;
  std::filesystem::path HorseDir() const;
  // The nutrients the charts show (`columns`: the balance chart's columns).
  std::array<bool, kNutrientCount> ChosenNutrients(bool columns) const;
  bool ErrorsInPrintPreference() const { return Prefs() && Prefs()->NutrientErrorsInPrint; }

  // How the pages ask and tell the user.
  Prompts& Ask() const { return *services.prompts; }
  void Inform(const std::string& text) const { Ask().Inform(text); }
  bool Confirm(const std::string& text) const { return Ask().Confirm(text); }
  // A warning captioned "Advarsel!".
  void Warn(const std::string& text) const;
  void ShowError(const std::string& text) const { Ask().Error(text); }

  // The record computed again before a page shows it (no edit).
  void Recompute() const { editor.Recalculate(); }

  void ShowFeedInfo(const TFor& feed) const;
  void OpenHelp(const std::string& suffix) const;
  // The printer set up for the horse's pages (false: the user cancelled).
  bool PreparePrinter(QPrinter& printer) const;
  // A report stored under a name the user adds to the proposed one, asking before a file
  // is overwritten.
  void Store(int kind, const std::string& html, const std::string& word) const;
};

// A push button with its object name.
QPushButton* PageButton(const QString& text, const QString& name, QWidget* parent);
// The nutrient list of the feeding plan and the analysis page: one line per nutrient,
// red where the ration misses the nutrient's range.
void ShowNutrientLines(QListWidget* list, const THest& horse, const CountrySettings& settings);

// A page of the ration tab. The tab tells the page shown when it is entered and what an
// edit changed; the page asks the editor for every change and signals what only the tab
// can do (show another page).
class RationTabPage : public QWidget {
  Q_OBJECT
 public:
  RationTabPage(RationContext& context, const char* name, QWidget* parent = nullptr);
  // The page became the one shown, or the horse changed while it is: everything anew.
  virtual void Enter() = 0;
  // An edit changed what `changed` names while the page is shown (no recompute: the edit
  // has computed).
  virtual void Repaint(ChangeFlags changed) = 0;

 protected:
  RationContext& c_;
};

}  // namespace stallora
