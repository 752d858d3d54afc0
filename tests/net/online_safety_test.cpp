// What the online service installs comes from the service the settings name, and is the
// list it offered: redirects to other hosts are not followed, and a download holding another
// version than offered (or one not newer than the current list) is refused.

#include <gtest/gtest.h>

#include <QtCore/QByteArray>

#include <sstream>

#include "app/cli.h"
#include "core/fileio.h"
#include "disk_faults.h"
#include "loopback_server.h"
#include "net/qt_http_client.h"
#include "stable/online_service.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const fs::path kData = STALLORA_DATA_DIR;

QByteArray Bytes(const fs::path& p) {
  const auto text = ReadWholeFile(p);
  EXPECT_TRUE(text) << p;
  return text ? QByteArray(text->data(), static_cast<qsizetype>(text->size())) : QByteArray();
}

std::vector<std::string> FileNames(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The published list of version 4, claiming another version.
QByteArray ListOfVersion(int version) {
  QByteArray list = Bytes(kData / "service" / "45" / "Nordhavre Foder 4.eqf");
  list.replace("GarantiForlisteVersjon = 4", "GarantiForlisteVersjon = " + QByteArray::number(version));
  return list;
}

class OnlineSafetyTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    ASSERT_TRUE(server_.Start());
    ASSERT_TRUE(other_.Start());
    fs::create_directories(feedDir());
    for (const char* name : {"Nordhavre Foder.eqf", "Standard foderliste.eqf"})
      fs::copy_file(kData / "Save" / "Feeds" / "45" / name, feedDir() / name);  // version 3
  }
  void StartOnline(const QByteArray& versionFile) {
    Start();
    app_->preferences.resourceBase = server_.Base();
    server_.routes["/45/currentversion.txt"] = {.body = versionFile, .contentType = "text/plain"};
    service_ = std::make_unique<OnlineService>(*app_, client_);
    service_->timeouts = {5s, 5s, 5s};
    ws_ = std::make_unique<Workspace>(*app_);
    ws_->Scan();
    ASSERT_TRUE(service_->OnlineTest());
    service_->VersionCheck(ws_->CurrentGuaranteeList());
    messages_.entries.clear();
  }
  // Nothing changed: the old list is current and its file untouched.
  void ExpectUnchanged(const std::string& oldFile) {
    EXPECT_EQ(FileNames(feedDir()), (std::vector<std::string>{"Nordhavre Foder.eqf", "Standard foderliste.eqf"}));
    EXPECT_EQ(*ReadWholeFile(feedDir() / "Nordhavre Foder.eqf"), oldFile);
    ASSERT_NE(ws_->CurrentGuaranteeList(), nullptr);
    EXPECT_EQ(ws_->CurrentGuaranteeList()->GarantiForlisteVersjon, 3);
  }
  fs::path feedDir() const { return dir_ / "Save" / "Feeds" / "45"; }

  testing::LoopbackServer server_;
  testing::LoopbackServer other_;  // another host, as far as an address says
  net::QtHttpClient client_;
  std::unique_ptr<OnlineService> service_;
  std::unique_ptr<Workspace> ws_;
};

TEST_F(OnlineSafetyTest, ARedirectToAnotherHostIsNotFollowed) {
  StartOnline("2.17\r\n4 Nordhavre Foder 4.eqf\r\n");
  const std::string oldFile = *ReadWholeFile(feedDir() / "Nordhavre Foder.eqf");
  other_.routes["/45/Nordhavre%20Foder%204.eqf"] = {.body = ListOfVersion(4)};
  server_.routes["/45/Nordhavre%20Foder%204.eqf"] = {
      .status = 301, .location = QByteArray::fromStdString(other_.Base() + "45/Nordhavre%20Foder%204.eqf")};
  EXPECT_EQ(service_->GetNewestGuaranteeList(*ws_), OnlineService::FetchResult::Failed);
  EXPECT_TRUE(other_.log.empty());
  ExpectUnchanged(oldFile);
  ASSERT_EQ(messages_.entries.size(), 1u);
  EXPECT_TRUE(messages_.entries[0].text.starts_with("HTTP Failure")) << messages_.entries[0].text;
  EXPECT_NE(service_->LastTransportError().find("another host"), std::string::npos) << service_->LastTransportError();
}

TEST_F(OnlineSafetyTest, ARedirectOnTheSameHostIsFollowed) {
  StartOnline("2.17\r\n4 Nordhavre Foder 4.eqf\r\n");
  server_.routes["/45/Nordhavre%20Foder%204.eqf"] = {.status = 302, .location = "/moved/Nordhavre%20Foder%204.eqf"};
  server_.routes["/moved/Nordhavre%20Foder%204.eqf"] = {.body = ListOfVersion(4)};
  EXPECT_EQ(service_->GetNewestGuaranteeList(*ws_), OnlineService::FetchResult::Done);
  ASSERT_NE(ws_->CurrentGuaranteeList(), nullptr);
  EXPECT_EQ(ws_->CurrentGuaranteeList()->GarantiForlisteVersjon, 4);
  EXPECT_EQ(FileNames(feedDir()), (std::vector<std::string>{"Nordhavre Foder 4.eqf", "Standard foderliste.eqf"}));
}

TEST_F(OnlineSafetyTest, AListOfAnotherVersionThanOfferedIsRefused) {
  // Offered as version 9, it holds version 1: installed, it would set every feed list of
  // the workspace back from version 3.
  StartOnline("2.17\r\n9 Nordhavre Foder 4.eqf\r\n");
  ASSERT_TRUE(app_->newerGuaranteeList);
  const std::string oldFile = *ReadWholeFile(feedDir() / "Nordhavre Foder.eqf");
  server_.routes["/45/Nordhavre%20Foder%204.eqf"] = {.body = ListOfVersion(1)};
  EXPECT_EQ(service_->GetNewestGuaranteeList(*ws_), OnlineService::FetchResult::Failed);
  ExpectUnchanged(oldFile);
  ASSERT_EQ(messages_.entries.size(), 1u);
  EXPECT_EQ(messages_.entries[0].text,
            "Den hentede foderliste har ikke den tilbudte version og er slettet: Nordhavre Foder 4.eqf (1, tilbudt 9, "
            "nuv\xE6rende 3)");
  // Offered and held alike, but not newer than the current list: refused too.
  server_.routes["/45/Nordhavre%20Foder%204.eqf"] = {.body = ListOfVersion(2)};
  app_->offeredGuaranteeVersion = 2;
  EXPECT_EQ(service_->GetNewestGuaranteeList(*ws_), OnlineService::FetchResult::Failed);
  ExpectUnchanged(oldFile);
  // The offered version itself is taken.
  app_->offeredGuaranteeVersion = 9;
  server_.routes["/45/Nordhavre%20Foder%204.eqf"] = {.body = ListOfVersion(9)};
  EXPECT_EQ(service_->GetNewestGuaranteeList(*ws_), OnlineService::FetchResult::Done);
  EXPECT_EQ(ws_->CurrentGuaranteeList()->GarantiForlisteVersjon, 9);
}

// stallora-cli update ends with status 1 after every failure it reported.
class CliUpdateFailuresTest : public OnlineSafetyTest {
 protected:
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    args.insert(args.begin(), {"--program-dir", dir_.string()});
    args.insert(args.end(), {"--resource-url", server_.Base()});
    return cli::Run(args, out_, err_);
  }
  void Serve(const QByteArray& versionFile, const QByteArray& list) {
    server_.routes["/45/currentversion.txt"] = {.body = versionFile, .contentType = "text/plain"};
    server_.routes["/45/Nordhavre%20Foder%204.eqf"] = {.body = list};
  }
  std::ostringstream out_, err_;
};

TEST_F(CliUpdateFailuresTest, ARefusedDownloadAMalformedOfferAndAFailedSaveEndWithStatusOne) {
  // Offered as version 9, holding version 4.
  Serve("2.17\r\n9 Nordhavre Foder 4.eqf\r\n", ListOfVersion(4));
  EXPECT_EQ(Run({"update", "--fetch"}), 1) << out_.str();
  // The service was asked: a tool without its network part fails for another reason.
  EXPECT_NE(out_.str().find("online\tyes"), std::string::npos) << out_.str() << err_.str();
  EXPECT_FALSE(fs::exists(feedDir() / "Nordhavre Foder 4.eqf"));
  EXPECT_TRUE(fs::exists(feedDir() / "Nordhavre Foder.eqf"));

  // A list line the program cannot read is reported: the check has failed.
  Serve("2.17\r\nfire Nordhavre Foder 4.eqf\r\n", ListOfVersion(4));
  EXPECT_EQ(Run({"update", "--check"}), 1) << out_.str();
  EXPECT_NE(out_.str().find("online\tyes"), std::string::npos) << out_.str() << err_.str();

  // The list is fetched, but a stable cannot be saved while the workspace is brought up to
  // date: the user must hear of it, and so must a script.
  Start();
  TStall s(app_->Env());
  s.stallNavn = "Nord";
  ASSERT_TRUE(s.Save());
  Serve("2.17\r\n4 Nordhavre Foder 4.eqf\r\n", ListOfVersion(4));
  int status = 0;
  {
    testing::ScopedUndeletable locked(dir_ / "Save" / "Nord" / "Nord.eqs");
    status = Run({"update", "--fetch"});
  }
  EXPECT_EQ(status, 1) << out_.str();
  EXPECT_NE(out_.str().find("fetched\t"), std::string::npos) << out_.str() << err_.str();
}

}  // namespace
}  // namespace stallora
