#include "stable/online_service.h"

#include <gtest/gtest.h>

#include <map>

#include "core/cp1252.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

// ---------------------------------------------------------------- the version file

TEST(VersionFileTest, ReadsTheOfferedVersionAndListFromTheFirstTwoLines) {
  const VersionFile v = ParseVersionFile("2.2\r\n12 garanti45-12.eqf\r\n3.0\r\n99 other.eqf\r\n");
  EXPECT_TRUE(v.hasVersionLine);
  EXPECT_EQ(v.versionText, "2.2");
  EXPECT_DOUBLE_EQ(v.version, 2.2);
  ASSERT_EQ(v.listLine, VersionFile::ListLine::Offered);
  EXPECT_EQ(v.listVersion, 12);
  EXPECT_EQ(v.listFile, "garanti45-12.eqf");
}

TEST(VersionFileTest, AnyLineEndAByteOrderMarkAndBlanksInTheFileName) {
  for (const char* text : {"2.18\n13 list 13.eqf\n", "2.18\r13 list 13.eqf", "\xEF\xBB\xBF" "2.18\r\n13 list 13.eqf\r\n"}) {
    const VersionFile v = ParseVersionFile(text);
    EXPECT_EQ(v.versionText, "2.18") << text;
    EXPECT_EQ(v.listVersion, 13) << text;
    // Everything after the first blank, blanks included; the CR of the line end is not part of it.
    EXPECT_EQ(v.listFile, "list 13.eqf") << text;
  }
}

TEST(VersionFileTest, AnEmptyFileOffersNothingAndAMissingSecondLineNoList) {
  const VersionFile empty = ParseVersionFile("");
  EXPECT_FALSE(empty.hasVersionLine);
  EXPECT_EQ(empty.listLine, VersionFile::ListLine::Absent);
  const VersionFile one = ParseVersionFile("2.18\r\n");
  EXPECT_TRUE(one.hasVersionLine);
  EXPECT_EQ(one.listLine, VersionFile::ListLine::Absent);
}

TEST(VersionFileTest, LineOneThatIsNotAPointNumberCountsAsTheOwnVersion) {
  for (const char* line : {"2,18", "abc", "", "inf", "nan", "0x1p3", "1e999", "2.18beta", "v2.18"}) {
    const VersionFile v = ParseVersionFile(std::string(line) + "\r\n");
    EXPECT_DOUBLE_EQ(v.version, kOwnProgramVersion) << line;
    EXPECT_EQ(v.versionText, line);
  }
  EXPECT_DOUBLE_EQ(*ParsePointNumber(" 2.100 "), 2.1);
  EXPECT_DOUBLE_EQ(*ParsePointNumber("3"), 3.0);
}

TEST(VersionFileTest, AMalformedListLineIsReportedWithTheOffendingText) {
  struct Case {
    const char* line;
    const char* problem;
  } cases[] = {
      {"12", "'12' is not a valid integer value"},  // no blank at all
      {"x12 a.eqf", "'x12' is not a valid integer value"},
      {" 12 a.eqf", "'' is not a valid integer value"},
      {"12.5 a.eqf", "'12.5' is not a valid integer value"},
      {"99999999999 a.eqf", "'99999999999' is not a valid integer value"},
      {"", "'' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    const VersionFile v = ParseVersionFile(std::string("2.17\r\n") + c.line + "\r\n");
    EXPECT_EQ(v.listLine, VersionFile::ListLine::Malformed) << c.line;
    EXPECT_EQ(v.problem, c.problem);
    EXPECT_TRUE(v.listFile.empty());
  }
  EXPECT_EQ(ParseVersionFile("2.17\r\n-3 a.eqf").listVersion, -3);
}

// ---------------------------------------------------------------- names and addresses

TEST(OfferedFileNameTest, RefusesNamesThatCouldLeaveTheFeedDirectoryOrBeLost) {
  for (std::string_view bad : {"", "../x.eqf", "..\\x.eqf", "a/b.eqf", "a\\b.eqf", "a..b.eqf", ".hidden.eqf",
                               "x\x01y.eqf", "x\ty.eqf", "list.txt", "list.eqf.part", ".eqf"}) {
    EXPECT_TRUE(ValidateOfferedFileName(bad).has_value()) << bad;
  }
  EXPECT_TRUE(ValidateOfferedFileName(std::string(252, 'a') + ".eqf").has_value());
  for (std::string_view good : {"garanti45-12.eqf", "list 13.eqf", "Nordhavre Foder.EQF", "T\xF8rfoder.eqf"})
    EXPECT_FALSE(ValidateOfferedFileName(good).has_value()) << good;
  EXPECT_EQ(*ValidateOfferedFileName("list.txt"), "Filnavnet fra opdateringstjenesten kan ikke bruges: \"list.txt\"");
}

TEST(OfferedFileNameTest, TheUrlSegmentIsPercentEncodedUtf8) {
  EXPECT_EQ(PercentEncodePathSegment("list 13.eqf"), "list%2013.eqf");
  EXPECT_EQ(PercentEncodePathSegment("T\xF8rfoder.eqf"), "T%C3%B8rfoder.eqf");
  EXPECT_EQ(PercentEncodePathSegment("a?b#c%d&e+f.eqf"), "a%3Fb%23c%25d%26e%2Bf.eqf");
  EXPECT_EQ(PercentEncodePathSegment("A-z_0.9~"), "A-z_0.9~");
}

TEST(OfferedFileNameTest, HostOfAnAddress) {
  EXPECT_EQ(HostOfAddress("https://resources.stallora.example/"), "resources.stallora.example");
  EXPECT_EQ(HostOfAddress("http://user@127.0.0.1:8080/x/y"), "127.0.0.1:8080");
  EXPECT_EQ(HostOfAddress("resources.stallora.example/"), "");
  EXPECT_EQ(SplashFileName(3), "03splash.jpg");
  EXPECT_EQ(SplashFileName(12), "12splash.jpg");
}

// ---------------------------------------------------------------- the version check

// Answers from a table of addresses and keeps every request.
class TableClient final : public HttpClient {
 public:
  std::map<std::string, std::string> documents;
  std::vector<std::string> requests;
  std::optional<std::string> Get(const std::string& url, std::chrono::milliseconds, std::string* error) override {
    requests.push_back(url);
    auto it = documents.find(url);
    if (it == documents.end()) {
      *error = "404";
      return std::nullopt;
    }
    return it->second;
  }
  bool GetToFile(const std::string& url, const std::filesystem::path& file, std::chrono::milliseconds t,
                 std::string* error) override {
    auto body = Get(url, t, error);
    if (!body) return false;
    std::ofstream(file, std::ios::binary) << *body;
    return true;
  }
};

class VersionCheckTest : public testing::ProgramDirTest {
 protected:
  void Online(const std::string& versionFile) {
    Start();
    messages_.entries.clear();  // what the start itself said
    client_.documents[app_->preferences.CountryResource("currentversion.txt")] = versionFile;
    service_ = std::make_unique<OnlineService>(*app_, client_);
    ASSERT_TRUE(service_->OnlineTest());
  }
  std::unique_ptr<TForListe> GuaranteeList(int version) {
    auto list = std::make_unique<TForListe>(app_->Env());
    list->ErGarantiForliste = true;
    list->GarantiForlisteVersjon = version;
    return list;
  }
  TableClient client_;
  std::unique_ptr<OnlineService> service_;
};

TEST_F(VersionCheckTest, ANewerProgramIsAnnouncedAndAListOfTheSameVersionIsNot) {
  Online("2.2\r\n12 garanti45-12.eqf\r\n");
  const auto current = GuaranteeList(12);
  service_->VersionCheck(current.get());
  EXPECT_TRUE(app_->newerProgram);
  EXPECT_EQ(UpgradeLinkText(service_->OfferedVersionText()), "Opgrader til version 2.2");
  EXPECT_FALSE(app_->newerGuaranteeList);
  EXPECT_EQ(app_->offeredGuaranteeVersion, 12);
  EXPECT_FALSE(service_->HasKeptVersionFile());
}

TEST_F(VersionCheckTest, WithoutAGuaranteeListTheOfferIsNewer) {
  Online("2.2\r\n12 garanti45-12.eqf\r\n");
  service_->VersionCheck(nullptr);
  EXPECT_TRUE(app_->newerGuaranteeList);
  EXPECT_EQ(app_->offeredGuaranteeFile, "garanti45-12.eqf");
  EXPECT_EQ(GetNewestListLinkText(app_->offeredGuaranteeVersion), "Hent den seneste foderliste v.12");
  const auto older = GuaranteeList(11);
  service_->VersionCheck(older.get());  // a second check compares the kept offer again
  EXPECT_TRUE(app_->newerGuaranteeList);
  const auto same = GuaranteeList(12);
  service_->VersionCheck(same.get());
  EXPECT_FALSE(app_->newerGuaranteeList);
  EXPECT_EQ(client_.requests.size(), 1u);  // the version file is fetched once per run
}

TEST_F(VersionCheckTest, TheOwnVersionAndAShorterDecimalAreNotNewer) {
  for (const char* line : {"2.17", "2.100", "2.1", "garbage"}) {
    client_ = {};
    Online(std::string(line) + "\r\n");
    service_->VersionCheck(nullptr);
    EXPECT_FALSE(app_->newerProgram) << line;
    EXPECT_EQ(service_->OfferedVersionText(), line);
  }
}

TEST_F(VersionCheckTest, AMalformedListLineIsReportedOnceAndCountsAsNoOffer) {
  Online("2.2\r\n12\r\n");
  service_->VersionCheck(nullptr);
  EXPECT_TRUE(app_->newerProgram);  // line 1 still counts
  EXPECT_FALSE(app_->newerGuaranteeList);
  EXPECT_TRUE(app_->offeredGuaranteeFile.empty());
  ASSERT_EQ(messages_.entries.size(), 1u);
  EXPECT_EQ(messages_.entries[0].text, "'12' is not a valid integer value");
  service_->VersionCheck(nullptr);
  EXPECT_EQ(messages_.entries.size(), 1u);
}

TEST_F(VersionCheckTest, AnEmptyFileChangesNothingAndOfflineNothingIsChecked) {
  Online("");
  service_->VersionCheck(nullptr);
  EXPECT_FALSE(app_->newerProgram);
  EXPECT_FALSE(app_->newerGuaranteeList);
  EXPECT_TRUE(messages_.entries.empty());

  TableClient nothing;
  OnlineService offline(*app_, nothing);
  app_->online = false;
  EXPECT_FALSE(offline.OnlineTest());
  offline.VersionCheck(nullptr);
  EXPECT_FALSE(app_->newerGuaranteeList);
  EXPECT_TRUE(offline.RefreshSplashPicture(3).empty());
  Workspace ws(*app_);
  EXPECT_EQ(offline.GetNewestGuaranteeList(ws), OnlineService::FetchResult::NotOnline);
  EXPECT_EQ(nothing.requests.size(), 1u);  // only the online test
}

}  // namespace
}  // namespace stallora
