// Form files written by other programs that use the same text format: every one must pass
// the grammar check. They live outside the project and are read in place; the test is
// skipped where they are not present.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/fileio.h"
#include "core/objtext_parser.h"

namespace stallora {
namespace {

TEST(ObjTextCorpus, EveryThirdPartyFormPassesTheGrammarCheck) {
  const std::filesystem::path root = STALLORA_SHARED_CORPUS;
  if (!std::filesystem::is_directory(root)) GTEST_SKIP() << "no corpus at " << root;
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const auto ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".lfm" && ext != ".dfm")) continue;
    ++files;
    const auto text = ReadWholeFile(entry.path());
    ASSERT_TRUE(text) << entry.path();
    try {
      CheckObjectTextSyntax(*text);
    } catch (const ObjTextError& e) {
      ADD_FAILURE() << entry.path() << ": " << e.what();
    }
  }
  EXPECT_GE(files, 384);
}

}  // namespace
}  // namespace stallora
