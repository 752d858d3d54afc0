#pragma once
// Hands a mail to the desktop's mail program through "xdg-email", which opens the program's
// own compose window with the recipients and attachments filled in; the user writes and
// sends from there. The program is started with an argument list, never through a shell.

#include <QtCore/QString>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "core/seams.h"

namespace stallora::net {

// A mail as the windows pass it (texts Windows-1252). Every part may be empty.
struct MailRequest {
  std::string subject{};
  std::string body{};
  std::vector<std::string> recipients{};
  std::vector<std::filesystem::path> attachments{};
  // The desktop's mail program sends from its own account; a sender cannot be handed over
  // and is ignored.
  std::string senderAddress{};
  std::string senderName{};
};

struct MailLauncher {
  QString program = QStringLiteral("xdg-email");
  // How long to wait for the launcher to finish. A mail program that keeps it waiting has
  // the mail open, which counts as accepted; the launcher is left to run.
  std::chrono::milliseconds wait{30'000};
};

// The first 10 recipients and 25 attachments (with a notice each when more were given) go
// to the mail program. Result: 0 when it took the mail, -1 when the launcher could not be
// started or crashed, otherwise the launcher's exit status (3: no mail program configured);
// a failure is shown through `messages` as "Fejl ved sending af epost (n)".
int SendMail(const MailRequest& mail, Messages& messages, const MailLauncher& launcher = {});

}  // namespace stallora::net
