// The hand-off of a mail to a stand-in "xdg-email" that records its arguments.

#include "net/mail_sender.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QtCore/QElapsedTimer>
#include <fstream>

#include "core/fileio.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class MailSenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("stallora-mail-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "bin");
    log_ = dir_ / "args.log";
    // Each argument ends with a NUL byte, so blanks and line breaks inside one stay visible.
    WriteStub("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > \"$STALLORA_STUB_LOG\"\n"
              "exit ${STALLORA_STUB_EXIT:-0}\n");
    oldPath_ = qgetenv("PATH");
    qputenv("PATH", QByteArray(dir_.string().c_str()) + "/bin:" + oldPath_);
    qputenv("STALLORA_STUB_LOG", QByteArray(log_.string().c_str()));
    qunsetenv("STALLORA_STUB_EXIT");
  }
  void TearDown() override {
    qputenv("PATH", oldPath_);
    fs::remove_all(dir_);
  }
  void WriteStub(const std::string& script) {
    const fs::path stub = dir_ / "bin" / "xdg-email";
    std::ofstream(stub, std::ios::binary | std::ios::trunc) << script;
    fs::permissions(stub, fs::perms::owner_all);
  }
  std::vector<std::string> LoggedArguments() const {
    std::vector<std::string> args;
    const auto text = ReadWholeFile(log_);
    if (!text) return args;
    size_t pos = 0;
    while (pos < text->size()) {
      const size_t end = text->find('\0', pos);
      args.push_back(text->substr(pos, end - pos));
      pos = end + 1;
    }
    return args;
  }
  std::vector<std::string> Texts(RecordingMessages::Entry::Kind kind) const {
    std::vector<std::string> t;
    for (const auto& e : messages_.entries)
      if (e.kind == kind) t.push_back(e.text);
    return t;
  }

  fs::path dir_;
  fs::path log_;
  QByteArray oldPath_;
  RecordingMessages messages_;
};

TEST_F(MailSenderTest, TwelveRecipientsAndThirtyAttachmentsGoAsTenAndTwentyFive) {
  net::MailRequest mail;
  for (int i = 1; i <= 12; ++i) mail.recipients.push_back("ejer" + std::to_string(i) + "@example.dk");
  for (int i = 1; i <= 30; ++i) {
    const fs::path f = dir_ / ("Rapport " + std::to_string(100 + i) + ".htm");
    std::ofstream(f) << "x";
    mail.attachments.push_back(f);
  }
  EXPECT_EQ(net::SendMail(mail, messages_), 0);

  std::vector<std::string> expected{"--utf8"};
  for (int i = 1; i <= 25; ++i) {
    expected.push_back("--attach");
    expected.push_back((dir_ / ("Rapport " + std::to_string(100 + i) + ".htm")).string());
  }
  for (int i = 1; i <= 10; ++i) expected.push_back("ejer" + std::to_string(i) + "@example.dk");
  EXPECT_EQ(LoggedArguments(), expected);
  EXPECT_EQ(Texts(RecordingMessages::Entry::kInform),
            (std::vector<std::string>{
                "You have 12 recipients. Only 10 will be used with this mailPlease resend mail with missing recipients!",
                "You have 30 attachments. Only 25 will be sent with this mail"}));
  EXPECT_TRUE(Texts(RecordingMessages::Entry::kError).empty());
}

TEST_F(MailSenderTest, SubjectAndBodyGoAsUtf8AndUnsafeAddressesStayBehind) {
  net::MailRequest mail;
  mail.subject = "Blakken: N\xC6RINGSINDHOLD";
  mail.body = "Linje 1\r\nLinje 2; $(rm -rf ~) `x` 'y'";
  mail.recipients = {"-x@example.dk", "hans@example.dk", "a b@example.dk", "mailto:c@d.dk?attach=/etc/passwd"};
  mail.senderAddress = "afsender@example.dk";  // the mail program sends from its own account
  const fs::path f = dir_ / "-file.htm";
  std::ofstream(f) << "x";
  mail.attachments = {f};
  EXPECT_EQ(net::SendMail(mail, messages_), 0);
  EXPECT_EQ(LoggedArguments(), (std::vector<std::string>{"--utf8", "--subject", "Blakken: N\xC3\x86RINGSINDHOLD",
                                                         "--body", "Linje 1\r\nLinje 2; $(rm -rf ~) `x` 'y'",
                                                         "--attach", f.string(), "hans@example.dk"}));
  EXPECT_EQ(Texts(RecordingMessages::Entry::kInform).size(), 3u);
  EXPECT_TRUE(Texts(RecordingMessages::Entry::kInform)[0].starts_with(
      "Adressen kan ikke gives videre til postprogrammet og er udeladt: -x@example.dk"));
}

TEST_F(MailSenderTest, NoMailProgramIsReportedWithTheLaunchersNumber) {
  qputenv("STALLORA_STUB_EXIT", "3");
  net::MailRequest mail;
  mail.recipients = {"hans@example.dk"};
  EXPECT_EQ(net::SendMail(mail, messages_), 3);
  EXPECT_EQ(LoggedArguments(), (std::vector<std::string>{"--utf8", "hans@example.dk"}));
  EXPECT_EQ(Texts(RecordingMessages::Entry::kError), (std::vector<std::string>{"Fejl ved sending af epost (3)"}));
  // Wrong usage is not a cancel: it is reported with its number too.
  qputenv("STALLORA_STUB_EXIT", "1");
  messages_.entries.clear();
  EXPECT_EQ(net::SendMail(mail, messages_), 1);
  EXPECT_EQ(Texts(RecordingMessages::Entry::kError), (std::vector<std::string>{"Fejl ved sending af epost (1)"}));
}

TEST_F(MailSenderTest, ALauncherThatCannotStartGivesMinusOne) {
  net::MailLauncher launcher;
  launcher.program = QString::fromStdString((dir_ / "bin" / "no-such-program").string());
  EXPECT_EQ(net::SendMail({}, messages_, launcher), -1);
  EXPECT_EQ(Texts(RecordingMessages::Entry::kError), (std::vector<std::string>{"Fejl ved sending af epost (-1)"}));
}

TEST_F(MailSenderTest, AMailProgramThatKeepsTheLauncherWaitingHasTheMail) {
  WriteStub("#!/bin/sh\nprintf '%s\\0' \"$@\" > \"$STALLORA_STUB_LOG\"\nsleep 3\nexit 4\n");
  net::MailLauncher launcher;
  launcher.wait = 300ms;
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(net::SendMail({.recipients = {"hans@example.dk"}}, messages_, launcher), 0);
  EXPECT_LT(clock.elapsed(), 2500);
  EXPECT_TRUE(messages_.entries.empty());
}

}  // namespace
}  // namespace stallora
