// The online service over the Qt client against a real server on the loopback interface.

#include "stable/online_service.h"

#include <gtest/gtest.h>

#include <QtCore/QElapsedTimer>
#include <QtCore/QTimer>

#include "core/fileio.h"
#include "loopback_server.h"
#include "net/qt_http_client.h"
#include "net/update_service.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Mode = testing::LoopbackServer::Response::Mode;

const fs::path kData = STALLORA_DATA_DIR;

QByteArray FileBytes(const fs::path& p) {
  const auto text = ReadWholeFile(p);
  EXPECT_TRUE(text) << p;
  return text ? QByteArray(text->data(), static_cast<qsizetype>(text->size())) : QByteArray();
}

std::vector<std::string> FileNames(const fs::path& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class NetServiceTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    ASSERT_TRUE(server_.Start());
  }

  // The published feed lists of the installation in the workspace: guarantee list version 3
  // and an ordinary list.
  void InstallFeedLists() {
    fs::create_directories(feedDir());
    for (const char* name : {"Nordhavre Foder.eqf", "Standard foderliste.eqf"})
      fs::copy_file(kData / "Save" / "Feeds" / "45" / name, feedDir() / name);
  }

  // Starts the program against the loopback server with this version file.
  void StartOnline(const QByteArray& versionFile, std::chrono::milliseconds timeout = 5s) {
    Start();
    messages_.entries.clear();  // what the start itself said
    app_->preferences.resourceBase = server_.Base();
    server_.routes["/45/currentversion.txt"] = {.body = versionFile, .contentType = "text/plain"};
    service_ = std::make_unique<OnlineService>(*app_, client_);
    service_->timeouts = {timeout, timeout, timeout};
    service_->onBusyChanged = [this](bool busy) { busyChanges_.push_back(busy); };
    ws_ = std::make_unique<Workspace>(*app_);
    ws_->Scan();
    service_->OnlineTest();
    service_->VersionCheck(ws_->CurrentGuaranteeList());
  }

  // The service as it is published in data/service.
  void ServePublished() {
    server_.routes["/45/Nordhavre%20Foder%204.eqf"] = {.body =
                                                           FileBytes(kData / "service" / "45" / "Nordhavre Foder 4.eqf")};
    for (int m = 1; m <= 12; ++m)
      server_.routes[QByteArray("/general/") + SplashFileName(m).c_str()] = {
          .body = FileBytes(kData / "service" / "general" / SplashFileName(m)), .contentType = "image/jpeg"};
  }

  fs::path feedDir() const { return dir_ / "Save" / "Feeds" / "45"; }

  std::vector<std::string> Targets() const {
    std::vector<std::string> t;
    for (const auto& r : server_.log) t.push_back(r.target.toStdString());
    return t;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const auto& e : messages_.entries) t.push_back(e.text);
    return t;
  }

  void ExpectOnlyPlainGets() const {
    for (const auto& r : server_.log) {
      EXPECT_EQ(r.method, "GET");
      EXPECT_FALSE(r.target.contains('?')) << r.target.toStdString();
      EXPECT_FALSE(r.target.contains("..")) << r.target.toStdString();
    }
  }

  testing::LoopbackServer server_;
  net::QtHttpClient client_;
  std::unique_ptr<OnlineService> service_;
  std::unique_ptr<Workspace> ws_;
  std::vector<bool> busyChanges_;
};

// ---------------------------------------------------------------- the online test

TEST_F(NetServiceTest, TheOnlineTestFetchesTheCountrysVersionFileOnce) {
  StartOnline("2.17\r\n");
  EXPECT_TRUE(app_->online);
  EXPECT_EQ(Targets(), (std::vector<std::string>{"/45/currentversion.txt"}));
  ExpectOnlyPlainGets();
  EXPECT_FALSE(app_->newerProgram);
  EXPECT_FALSE(app_->newerGuaranteeList);
  EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(NetServiceTest, NoCompleteAnswerLeavesTheProgramOffline) {
  struct Case {
    const char* what;
    testing::LoopbackServer::Response response;
  } cases[] = {
      {"404", {.status = 404, .body = "2.18\r\n"}},
      {"500", {.status = 500, .body = "2.18\r\n"}},
      {"300 without a target", {.status = 300, .body = "2.18\r\n"}},
      {"truncated", {.body = "2.18\r\n12 x.eqf\r\n", .mode = Mode::Truncated}},
      {"stalled", {.mode = Mode::Stall}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start();
    app_->preferences.resourceBase = server_.Base();
    server_.routes["/45/currentversion.txt"] = c.response;
    server_.log.clear();
    OnlineService service(*app_, client_);
    service.timeouts = {300ms, 300ms, 300ms};
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(service.OnlineTest());
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_FALSE(app_->online);
    // Offline: no check, no picture, no download, and no further request.
    service.VersionCheck(nullptr);
    EXPECT_FALSE(app_->newerGuaranteeList);
    EXPECT_TRUE(service.RefreshSplashPicture(3).empty());
    Workspace ws(*app_);
    EXPECT_EQ(service.GetNewestGuaranteeList(ws), OnlineService::FetchResult::NotOnline);
    EXPECT_EQ(server_.log.size(), 1u);
  }
  // No server at all.
  server_.Stop();
  OnlineService service(*app_, client_);
  EXPECT_FALSE(service.OnlineTest());
}

// ---------------------------------------------------------------- the version check

TEST_F(NetServiceTest, ANewerProgramWithTheSameListShowsOnlyTheUpgradeLink) {
  InstallFeedLists();
  StartOnline("2.2\r\n3 Nordhavre Foder 3.eqf\r\n");
  ASSERT_NE(ws_->CurrentGuaranteeList(), nullptr);
  EXPECT_TRUE(app_->newerProgram);
  EXPECT_EQ(UpgradeLinkText(service_->OfferedVersionText()), "Opgrader til version 2.2");
  EXPECT_FALSE(app_->newerGuaranteeList);
}

TEST_F(NetServiceTest, WithoutAGuaranteeListTheOfferedListIsNewer) {
  StartOnline("2.17\r\n12 garanti45-12.eqf\r\n");
  EXPECT_FALSE(app_->newerProgram);
  EXPECT_TRUE(app_->newerGuaranteeList);
  EXPECT_EQ(GetNewestListLinkText(app_->offeredGuaranteeVersion), "Hent den seneste foderliste v.12");
}

TEST_F(NetServiceTest, AMalformedListLineIsSaidAndTheRestGoesOn) {
  StartOnline("2.2\r\n12\r\n");
  EXPECT_TRUE(app_->online);
  EXPECT_TRUE(app_->newerProgram);
  EXPECT_FALSE(app_->newerGuaranteeList);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"'12' is not a valid integer value"}));
  EXPECT_EQ(service_->GetNewestGuaranteeList(*ws_), OnlineService::FetchResult::NotOnline);
  EXPECT_EQ(server_.log.size(), 1u);
}

TEST_F(NetServiceTest, AnEmptyVersionFileChangesNothing) {
  StartOnline("");
  EXPECT_TRUE(app_->online);
  EXPECT_FALSE(app_->newerProgram);
  EXPECT_FALSE(app_->newerGuaranteeList);
  EXPECT_TRUE(messages_.entries.empty());
}

// ---------------------------------------------------------------- the download

TEST_F(NetServiceTest, ThePublishedNewerListReplacesTheOldAndUpdatesTheWorkspace) {
  InstallFeedLists();
  StartOnline(FileBytes(kData / "service" / "45" / "currentversion.txt"));
  ServePublished();
  ASSERT_EQ(ws_->CurrentGuaranteeList()->GarantiForlisteVersjon, 3);
  EXPECT_TRUE(app_->newerGuaranteeList);
  EXPECT_EQ(app_->offeredGuaranteeFile, "Nordhavre Foder 4.eqf");  // a name with a blank
  // A stable whose feed list holds the version-3 feeds.
  TStall& stable = ws_->NewStable();
  ASSERT_TRUE(stable.Save());
  THest& horse = stable.NewHorse();
  horse.ForListe->AddFeed(stable.ForListe->FeedByName("Nordhavre Havre, valset")->Clone());
  ASSERT_TRUE(stable.SaveHorse(horse));
  ASSERT_EQ(stable.ForListe->FeedByName("Nordhavre Havre, valset")->TorrStoff, 88);
  // What an interrupted download of an earlier run left behind is not read by a scan.
  std::ofstream(feedDir() / ".Nordhavre Foder 4.eqf.part") << "object TForListe\r\n  Forliste";
  Workspace rescanned(*app_);
  rescanned.Scan();
  EXPECT_TRUE(rescanned.Messages().empty());

  ASSERT_EQ(service_->GetNewestGuaranteeList(*ws_), OnlineService::FetchResult::Done);
  EXPECT_EQ(Targets(), (std::vector<std::string>{"/45/currentversion.txt", "/45/Nordhavre%20Foder%204.eqf"}));
  ExpectOnlyPlainGets();
  // The old list's file is gone, the new one stored under the offered name, nothing else left.
  EXPECT_EQ(FileNames(feedDir()), (std::vector<std::string>{"Nordhavre Foder 4.eqf", "Standard foderliste.eqf"}));
  EXPECT_EQ(*ReadWholeFile(feedDir() / "Nordhavre Foder 4.eqf"),
            *ReadWholeFile(kData / "service" / "45" / "Nordhavre Foder 4.eqf"));
  TForListe* current = ws_->CurrentGuaranteeList();
  ASSERT_NE(current, nullptr);
  EXPECT_EQ(current->GarantiForlisteVersjon, 4);
  EXPECT_EQ(ws_->FeedLists().front().get(), current);
  EXPECT_EQ(current->ForListeFilNavn, (feedDir() / "Nordhavre Foder 4.eqf").string());
  EXPECT_EQ(ws_->TreeLines().front(), "Nordhavre Foder");
  EXPECT_EQ(app_->preferences.GarantiForlisteFilnavn, "Nordhavre Foder 4.eqf");
  EXPECT_FALSE(app_->newerGuaranteeList);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Seneste garantifoderliste er hentet fra internet.\rNu opdateres "
                                               "analysev\xE6rdierne  for staldens og hestenes foderlister"}));
  EXPECT_EQ(busyChanges_, (std::vector<bool>{true, false, true, false}));
  // The stable was updated from version 4 and saved.
  TStall reread(app_->Env());
  reread.Load(stable.StableFilePath());
  EXPECT_EQ(reread.ForListe->FeedByName("Nordhavre Havre, valset")->TorrStoff, 87.5);
  EXPECT_EQ(reread.ForListe->EndretDato, current->EndretDato);
  THest rereadHorse(app_->Env());
  rereadHorse.LoadfromFile(stable.HorseFilePath(horse));
  EXPECT_EQ(rereadHorse.ForListe->FeedByName("Nordhavre Havre, valset")->TorrStoff, 87.5);
  TForListe standAlone(app_->Env());
  standAlone.LoadFromFile(feedDir() / "Standard foderliste.eqf");
  EXPECT_EQ(standAlone.EndretDato, current->EndretDato);  // updated and saved again
  // The next start reads the new list as the only guarantee list.
  Workspace next(*app_);
  next.Scan();
  ASSERT_NE(next.CurrentGuaranteeList(), nullptr);
  EXPECT_EQ(next.CurrentGuaranteeList()->GarantiForlisteVersjon, 4);
  EXPECT_EQ(next.GuaranteeListsRead(), 1);

  // Asking again fetches nothing: the file is there.
  EXPECT_EQ(service_->GetNewestGuaranteeList(*ws_), OnlineService::FetchResult::AlreadyThere);
  EXPECT_EQ(server_.log.size(), 2u);
}

TEST_F(NetServiceTest, AFileOfTheOfferedNameIsNeverFetchedAgainWhateverItHolds) {
  InstallFeedLists();
  fs::copy_file(feedDir() / "Standard foderliste.eqf", feedDir() / "Nordhavre Foder 4.eqf");
  StartOnline(FileBytes(kData / "service" / "45" / "currentversion.txt"));
  ServePublished();
  TForListe* before = ws_->CurrentGuaranteeList();
  EXPECT_EQ(service_->GetNewestGuaranteeList(*ws_), OnlineService::FetchResult::AlreadyThere);
  EXPECT_EQ(ws_->CurrentGuaranteeList(), before);
  EXPECT_EQ(Targets(), (std::vector<std::string>{"/45/currentversion.txt"}));
}

TEST_F(NetServiceTest, AFailedDownloadLeavesNothingBehindAndChangesNothing) {
  const QByteArray list = FileBytes(kData / "service" / "45" / "Nordhavre Foder 4.eqf");
  QByteArray ordinary = list;
  ordinary.replace("ErGarantiForliste = True", "ErGarantiForliste = False");
  struct Case {
    const char* what;
    testing::LoopbackServer::Response response;
    std::string message;  // the start of the message shown
  } cases[] = {
      {"404", {.status = 404}, "HTTP Failure\rHeader=Head.txt\rBody="},
      {"500", {.status = 500, .body = list}, "HTTP Failure\rHeader=Head.txt\rBody="},
      {"300 without a target", {.status = 300, .body = list}, "HTTP Failure\rHeader=Head.txt\rBody="},
      {"truncated", {.body = list.left(2000), .mode = Mode::Truncated}, "HTTP Failure\rHeader=Head.txt\rBody="},
      {"stalled", {.mode = Mode::Stall}, "HTTP Failure\rHeader=Head.txt\rBody="},
      {"an html page", {.body = "<!DOCTYPE html><html><body>Maintenance</body></html>", .contentType = "text/html"}, ""},
      {"a cut list without length", {.body = list.left(3000), .mode = Mode::NoLength}, ""},
      {"an ordinary list", {.body = ordinary}, "Den hentede fil er ikke en garantifoderliste og er slettet: "},
  };
  InstallFeedLists();
  StartOnline(FileBytes(kData / "service" / "45" / "currentversion.txt"), 400ms);
  const std::vector<std::string> filesBefore = FileNames(feedDir());
  const std::string oldFile = *ReadWholeFile(feedDir() / "Nordhavre Foder.eqf");
  TForListe* current = ws_->CurrentGuaranteeList();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    messages_.entries.clear();
    server_.routes["/45/Nordhavre%20Foder%204.eqf"] = c.response;
    EXPECT_EQ(service_->GetNewestGuaranteeList(*ws_), OnlineService::FetchResult::Failed);
    EXPECT_EQ(FileNames(feedDir()), filesBefore);
    EXPECT_EQ(*ReadWholeFile(feedDir() / "Nordhavre Foder.eqf"), oldFile);
    EXPECT_EQ(ws_->CurrentGuaranteeList(), current);
    EXPECT_TRUE(app_->newerGuaranteeList);  // the link stays for another try
    EXPECT_FALSE(service_->Busy());
    ASSERT_EQ(messages_.entries.size(), 1u);
    EXPECT_EQ(messages_.entries[0].kind, RecordingMessages::Entry::kError);
    EXPECT_TRUE(messages_.entries[0].text.starts_with(c.message)) << messages_.entries[0].text;
    if (c.message.starts_with("HTTP")) {
      EXPECT_EQ(messages_.entries[0].text, c.message + (feedDir() / "Nordhavre Foder 4.eqf").string());
    }
  }
  ExpectOnlyPlainGets();
  // The next start finds the workspace as it was.
  Workspace next(*app_);
  next.Scan();
  EXPECT_TRUE(next.Messages().empty());
  EXPECT_EQ(next.CurrentGuaranteeList()->GarantiForlisteVersjon, 3);
}

TEST_F(NetServiceTest, AnOfferedNameThatCouldLeaveTheFeedDirectoryIsRefusedUnfetched) {
  for (const char* line : {"5 ../evil.eqf", "5 sub/evil.eqf", "5 ..\\evil.eqf", "5 evil.sh"}) {
    SCOPED_TRACE(line);
    server_.log.clear();
    StartOnline(QByteArray("2.17\r\n") + line + "\r\n");
    server_.routes["/45/..%2Fevil.eqf"] = {.body = "x"};
    EXPECT_EQ(service_->GetNewestGuaranteeList(*ws_), OnlineService::FetchResult::Refused);
    EXPECT_EQ(Targets(), (std::vector<std::string>{"/45/currentversion.txt"}));
    ASSERT_EQ(messages_.entries.size(), 1u);
    EXPECT_TRUE(messages_.entries[0].text.starts_with("Filnavnet fra opdateringstjenesten kan ikke bruges"));
    EXPECT_FALSE(fs::exists(dir_ / "Save" / "Feeds" / "evil.eqf"));
    EXPECT_FALSE(fs::exists(dir_ / "Save" / "evil.eqf"));
  }
}

TEST_F(NetServiceTest, WhileADownloadRunsTheServiceIsBusyAndASecondOneDoesNotStart) {
  Start();
  app_->preferences.resourceBase = server_.Base();
  server_.routes["/45/currentversion.txt"] = {.body = "2.17\r\n12 garanti45-12.eqf\r\n"};
  net::UpdateService update(*app_);
  update.service().timeouts = {2s, 2s, 500ms};
  std::vector<bool> signalled;
  QObject::connect(&update, &net::UpdateService::busyChanged, [&](bool busy) { signalled.push_back(busy); });
  Workspace ws(*app_);
  ws.Scan();
  ASSERT_TRUE(update.service().OnlineTest());
  update.service().VersionCheck(nullptr);

  std::optional<OnlineService::FetchResult> second;
  bool busyMeanwhile = false;
  server_.routes["/45/garanti45-12.eqf"] = {.mode = Mode::Stall, .onRequest = [&] {
                                              QTimer::singleShot(20, [&] {
                                                busyMeanwhile = update.busy();
                                                second = update.service().GetNewestGuaranteeList(ws);
                                              });
                                            }};
  EXPECT_EQ(update.service().GetNewestGuaranteeList(ws), OnlineService::FetchResult::Failed);
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(*second, OnlineService::FetchResult::Busy);
  EXPECT_TRUE(busyMeanwhile);
  EXPECT_FALSE(update.busy());
  EXPECT_EQ(signalled, (std::vector<bool>{true, false}));
  EXPECT_EQ(server_.log.size(), 2u);  // the second command sent nothing
}

// ---------------------------------------------------------------- the splash picture

TEST_F(NetServiceTest, TheMonthsSplashPictureIsFetchedOnceAndThenReadFromDisk) {
  StartOnline("2.17\r\n");
  ServePublished();
  const fs::path file = service_->RefreshSplashPicture(3);
  EXPECT_EQ(file, dir_ / "Images" / "03splash.jpg");
  EXPECT_EQ(*ReadWholeFile(file), *ReadWholeFile(kData / "service" / "general" / "03splash.jpg"));
  EXPECT_EQ(service_->RefreshSplashPicture(3), file);
  EXPECT_EQ(Targets(), (std::vector<std::string>{"/45/currentversion.txt", "/general/03splash.jpg"}));
  EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(NetServiceTest, ASplashPictureThatDoesNotArriveAsAPictureIsNotKept) {
  StartOnline("2.17\r\n");
  server_.routes["/general/04splash.jpg"] = {.body = "<html>Not here</html>", .contentType = "text/html"};
  EXPECT_TRUE(service_->RefreshSplashPicture(4).empty());
  EXPECT_TRUE(service_->RefreshSplashPicture(5).empty());  // 404
  EXPECT_EQ(FileNames(dir_ / "Images"), std::vector<std::string>{});
  EXPECT_EQ(Texts(), (std::vector<std::string>{"HTTP Failure\rHeader=Head.txt\rBody=" + (dir_ / "Images" / "04splash.jpg").string(),
                                               "HTTP Failure\rHeader=Head.txt\rBody=" + (dir_ / "Images" / "05splash.jpg").string()}));
  ExpectOnlyPlainGets();
}

}  // namespace
}  // namespace stallora
