#pragma once
// A program directory in a temporary folder with the installed Danish data, started as the
// program starts (fixed date), with a main window on it and the small windows registered.
// The main window's prompts are `prompts`: a test scripts its answers there.
// Message boxes that appear anyway are answered and recorded, so no test hangs on one.

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "render/qttext.h"
#include "stable/workspace.h"
#include "ui/mainwindow.h"
#include "test_prompts.h"
#include "ui/boxprompts.h"
#include "ui/welcomewindow.h"
#include "ui/workspacetree.h"

namespace stallora::uitest {

namespace fs = std::filesystem;

class BoxWatcher : public QObject {
 public:
  BoxWatcher() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      texts.push_back(box->text());
      if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
      else box->accept();
    });
    timer_.start();
  }
  QStringList texts;

 private:
  QTimer timer_;
};

class Fixture {
 public:
  explicit Fixture(const QString& name) {
    dir = fs::temp_directory_path() / ("stallora-ui-" + std::to_string(::getpid()) + "-" + name.toStdString());
    fs::remove_all(dir);
    fs::create_directories(dir / "Resources");
    const fs::path data = STALLORA_DATA_DIR;
    fs::copy_file(data / "dan.ini", dir / "dan.ini");
    fs::copy_file(data / "Resources" / "EPListe.eqe", dir / "Resources" / "EPListe.eqe");
    fs::copy_file(data / "Resources" / "treatmentregister45.txt", dir / "Resources" / "treatmentregister45.txt");
    if (fs::exists(data / "Resources" / "behovsliste.txt"))
      fs::copy_file(data / "Resources" / "behovsliste.txt", dir / "Resources" / "behovsliste.txt");
    StartResult r = StartProgram(dir, clock, Regional{}, startMessages, ScreenSize{1200, 900});
    if (!r.context) qFatal("start failed: %s", r.fatalMessage.c_str());
    app = std::move(r.context);
    shown.keepMessages = true;
  }
  ~Fixture() {
    main.reset();
    ws.reset();
    app.reset();
    std::error_code ec;
    fs::remove_all(dir, ec);
  }

  // A stable with horses on disk, before the main window reads them.
  TStall& WriteStable(const std::string& name) {
    stables.push_back(std::make_unique<TStall>(app->Env()));
    TStall& s = *stables.back();
    s.stallNavn = name;
    if (!s.Save()) qFatal("stable not saved");
    return s;
  }
  THest& WriteHorse(TStall& s, const std::string& name, const std::string& owner = {}) {
    THest& h = s.NewHorse();
    h.Navn = name;
    h.EierNavn = owner;
    if (!s.SaveHorse(h)) qFatal("horse not saved");
    return h;
  }

  // The main window on the workspace, scanned, with the small windows registered.
  MainWindow& Open() {
    ws = std::make_unique<Workspace>(*app);
    main = std::make_unique<MainWindow>(*app, *ws, prompts);
    prompts.askText = [this](const QString&, const QString&, const QString&) { return answerText; };
    RegisterSmallWindows(*main);
    main->resize(1200, 850);
    main->show();
    main->ScanWorkspace();
    return *main;
  }

  // From here on every message and question of the main window and its windows goes to
  // `shown` alone.
  void Listen() { main->services().prompts = &shown; }

  // The record of the tree's selected node.
  void* Selected() const { return WorkspaceTree::Ref(main->Tree()->currentItem()).record; }

  // Saves a picture of a widget for looking at it (STALLORA_UI_SHOTS=directory).
  static void Shot(QWidget* w, const QString& name) {
    const QByteArray where = qgetenv("STALLORA_UI_SHOTS");
    if (where.isEmpty() || !w) return;
    QApplication::processEvents();
    w->grab().save(QDir(QString::fromLocal8Bit(where)).filePath(name + ".png"));
  }

  fs::path dir;
  FixedClock clock{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  RecordingMessages startMessages;
  BoxPrompts box;
  // What is not scripted goes on to the boxes (which `boxes` answers).
  TestPrompts prompts{&box};
  std::unique_ptr<AppContext> app;
  std::vector<std::unique_ptr<TStall>> stables;
  std::unique_ptr<Workspace> ws;
  std::unique_ptr<MainWindow> main;
  std::optional<QString> answerText;
  // What the windows say once a test called Listen() (questions: yes); the scripts for
  // files, directories and texts stay those of `prompts`.
  TestPrompts shown{&prompts};
  BoxWatcher boxes;
};

inline std::string Text8(const QString& s) { return L(s); }

}  // namespace stallora::uitest
