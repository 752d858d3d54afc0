#include "net/mail_sender.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QProcess>
#include <QtCore/QStringList>
#include <QtCore/QTimer>

#include "core/texts.h"
#include "stable/mail.h"

namespace stallora::net {

int SendMail(const MailRequest& mail, Messages& messages, const MailLauncher& launcher) {
  const MailHandOff handOff = LimitMail(mail.recipients, mail.attachments);
  for (const std::string& notice : handOff.notices) messages.Inform(notice);
  std::vector<std::string> refused;
  const std::vector<std::string> args =
      MailProgramArguments(mail.subject, mail.body, handOff.recipients, handOff.attachments, &refused);
  for (const std::string& address : refused) messages.Inform(Tr(kMailAddressLeftOut) + ": " + address);

  QStringList arguments;
  for (const std::string& a : args) arguments << QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));

  // Owned by the application: a launcher still waiting for the mail program when we stop
  // waiting must not be killed with a local object.
  auto* process = new QProcess(QCoreApplication::instance());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  process->setStandardInputFile(QProcess::nullDevice());
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  bool failedToStart = false;
  bool done = false;
  QObject::connect(process, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
    if (e == QProcess::FailedToStart) {
      failedToStart = true;
      loop.quit();
    }
  });
  QObject::connect(process, &QProcess::finished, &loop, [&] {
    done = true;
    loop.quit();
  });
  QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
  process->start(launcher.program, arguments, QIODevice::NotOpen);
  timer.start(launcher.wait);
  if (!failedToStart && !done) loop.exec();

  int result = 0;
  if (failedToStart) {
    result = -1;
    process->deleteLater();
  } else if (done) {
    result = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
  }
  // Neither: the mail program holds the launcher while its window is open; the mail is with it.
  if (const std::string message = MailResultMessage(result); !message.empty()) messages.Error(message);
  return result;
}

}  // namespace stallora::net
