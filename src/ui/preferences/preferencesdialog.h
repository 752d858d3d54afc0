#pragma once
// The preferences dialog: a thin window holding the pages, the PreferencesEditor and its
// relay. Each page forwards the user's actions to the editor and repaints what the flags
// name; the pages never call each other.

#include <QDialog>
#include <memory>

#include "forms/preferences_editor.h"
#include "ui/services.h"

class QTabWidget;

namespace stallora {

class EditorRelay;
class MainWindow;

class PreferencesDialog : public QDialog {
  Q_OBJECT
 public:
  PreferencesDialog(Services& services, QWidget* parent = nullptr);
  ~PreferencesDialog() override;

  PreferencesEditor& Editor() const { return *editor_; }
  EditorRelay& Relay() const { return *relay_; }
  Services& services() const { return services_; }
  QTabWidget* Pages() const { return pages_; }
  // Shows the dialog on a page (-1: the one it showed last).
  void ShowPage(int page);

 private:
  Services& services_;
  std::unique_ptr<PreferencesEditor> editor_;
  EditorRelay* relay_ = nullptr;
  QTabWidget* pages_ = nullptr;
};

// Sets the main window's `preferences` hook (and `treatmentRegister`, the dialog on its
// treatment page) and enables the settings menu's items that open it.
void RegisterPreferencesWindows(MainWindow& main);

}  // namespace stallora
