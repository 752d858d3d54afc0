// stallora-cli update against the published service on the loopback interface.

#include <gtest/gtest.h>

#include <sstream>

#include "app/cli.h"
#include "core/fileio.h"
#include "loopback_server.h"
#include "workspace_fixture.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;
const fs::path kData = STALLORA_DATA_DIR;

class CliUpdateTest : public testing::ProgramDirTest {
 protected:
  void SetUp() override {
    ProgramDirTest::SetUp();
    fs::create_directories(dir_ / "Save" / "Feeds" / "45");
    fs::copy_file(kData / "Save" / "Feeds" / "45" / "Nordhavre Foder.eqf", dir_ / "Save" / "Feeds" / "45" / "Nordhavre Foder.eqf");
    ASSERT_TRUE(server_.Start());
    for (const char* name : {"currentversion.txt", "Nordhavre Foder 4.eqf"}) {
      const std::string bytes = *ReadWholeFile(kData / "service" / "45" / name);
      QByteArray target = QByteArray("/45/") + QByteArray(name).replace(" ", "%20");
      server_.routes[target] = {.body = QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))};
    }
  }
  int Run(std::vector<std::string> args) {
    out_.str("");
    err_.str("");
    args.insert(args.begin(), {"--program-dir", dir_.string()});
    return cli::Run(args, out_, err_);
  }
  testing::LoopbackServer server_;
  std::ostringstream out_, err_;
};

TEST_F(CliUpdateTest, CheckTellsWhatTheServiceOffersAndFetchDownloadsIt) {
  ASSERT_EQ(Run({"update", "--check", "--resource-url", server_.Base()}), 0) << err_.str();
  EXPECT_EQ(out_.str(),
            "online\tyes\nprogram\t2.17\tnot newer\nguarantee-list\t4\tNordhavre Foder 4.eqf\tnewer\n"
            "current-list\tNordhavre Foder\t3\n");
  EXPECT_EQ(server_.log.size(), 1u);

  ASSERT_EQ(Run({"update", "--fetch", "--resource-url", server_.Base()}), 0) << err_.str();
  const fs::path stored = dir_ / "Save" / "Feeds" / "45" / "Nordhavre Foder 4.eqf";
  EXPECT_NE(out_.str().find("fetched\t" + stored.string() + "\n"), std::string::npos) << out_.str();
  EXPECT_TRUE(fs::exists(stored));
  EXPECT_FALSE(fs::exists(dir_ / "Save" / "Feeds" / "45" / "Nordhavre Foder.eqf"));

  // Now the workspace has the offered version: nothing more to fetch.
  ASSERT_EQ(Run({"update", "--fetch", "--resource-url", server_.Base()}), 0) << err_.str();
  EXPECT_NE(out_.str().find("guarantee-list\t4\tNordhavre Foder 4.eqf\tnot newer\n"), std::string::npos);
  EXPECT_NE(out_.str().find("fetched\tnothing"), std::string::npos);
  EXPECT_EQ(server_.log.size(), 4u);  // three version files and one list
}

TEST_F(CliUpdateTest, NoServiceAndWrongUsage) {
  const std::string base = server_.Base();
  server_.Stop();
  EXPECT_EQ(Run({"update", "--check", "--resource-url", base}), 1);
  EXPECT_EQ(out_.str(), "online\tno\n");
  EXPECT_EQ(Run({"update"}), 2);
  EXPECT_EQ(Run({"update", "--check", "--fetch"}), 2);
}

}  // namespace
}  // namespace stallora
