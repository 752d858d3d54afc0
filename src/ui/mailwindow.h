#pragma once
// The mail window: for a horse or a stable the user ticks stable reports, horses, horse
// reports, data files and the owners who receive the mail; "Skriv meddelelse" writes the
// ticked reports, gathers the files and the owners' addresses and hands the mail to the
// desktop's mail program. It exists once for the program's run and is shown and hidden.
//
// Its attachment list is also where other windows collect files before they send them.

#include <QDialog>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "stable/mail.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace stallora {

class MainWindow;
class Messages;
class THest;
class TStall;

// A mail as it is handed over (texts Windows-1252; every part may be empty).
struct OutgoingMail {
  std::string subject;
  std::string body;
  std::vector<std::string> recipients;
  std::vector<std::filesystem::path> attachments;
  std::string senderAddress;
  std::string senderName;
};

class Record;

class MailWindow : public QDialog {
  Q_OBJECT
 public:
  // One per main window, made by its AppWindows (services.windows->Mail()).
  explicit MailWindow(MainWindow& main);

  // Shows the window for a horse (with its stable); `file`, when given, is attached and
  // ticks its report.
  void Horsemail(THest* horse, const std::filesystem::path& file);
  // Shows the window for a stable.
  void Stablemail(TStall* stable, const std::filesystem::path& file);

  // The attachment list other windows fill before SendAttachments.
  AttachmentList& Attachments() { return attachments_; }
  // Hands a mail to the mail program; 0 when it took it, otherwise the error code (shown).
  int SendMail(const std::string& subject, const std::vector<std::string>& recipients,
               const std::vector<std::filesystem::path>& attachments, const std::string& senderAddress = {},
               const std::string& senderName = {});
  // The attachment list as it stands, without subject or recipients.
  int SendAttachments();
  // "Enkel epost": nothing but the sender, the preference HostEmailAdress.
  int SimpleMail();

  // ---- commands ----
  void Reset();
  void Execute();
  // The horse and stable are no longer valid (the tree was rebuilt from another directory).
  void ForgetRecords();
  // A record is about to be freed: the window lets go of it when it is the horse or stable
  // it was opened for.
  void RecordGoing(const Record& record);

  THest* CurrentHorse() const { return horse_; }
  TStall* CurrentStable() const { return stable_; }

  // The hand-off to the mail program; tests replace it.
  std::function<int(const OutgoingMail&, Messages&)> sender;

 public slots:
  // Closing (also by Escape) empties the attachment list.
  void reject() override;

 private:
  Messages& Msg();
  void FillStableChoices();
  void FillHorseChoices();
  // Drops a horse or stable that is no longer in the workspace.
  void ValidateRecords();
  MailSelection Selection() const;

  MainWindow& main_;
  AttachmentList attachments_;
  THest* horse_ = nullptr;
  TStall* stable_ = nullptr;

  QTabWidget* pcMail_ = nullptr;
  QPushButton* btnExecute_ = nullptr;
  QPushButton* btnNullStill_ = nullptr;
  QGroupBox* gbIncludeRecipients_ = nullptr;
  QCheckBox* cbStableowner_ = nullptr;
  QCheckBox* cbHorseowner_ = nullptr;
  QGroupBox* grbStallInfo_ = nullptr;
  QLabel* lblStableReports_ = nullptr;
  QListWidget* OvcCheckStableReports_ = nullptr;
  QCheckBox* cbIncludeStableObjectFile_ = nullptr;
  QGroupBox* grbHorseInfo_ = nullptr;
  QLabel* lblSelectHorses_ = nullptr;
  QListWidget* OvcCheckSelectHorses_ = nullptr;
  QCheckBox* cbIncludeHorseObjectFile_ = nullptr;
  QLabel* lblHorseReports_ = nullptr;
  QListWidget* OvcCheckUtskrift_ = nullptr;
  QCheckBox* cbIncludeTodaysRations_ = nullptr;
  QPushButton* btnClose_ = nullptr;
};

}  // namespace stallora
