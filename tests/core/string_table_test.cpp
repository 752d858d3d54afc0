// The string table holds each wording once: a text shown in several windows is one entry
// (core/common_texts.h) that each window names, so a translation cannot give one window
// "Close" and another "Shut". The test reads the sources, as the table is made of them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Entry {
  std::string key, wording, where;
};

std::string Unquote(const std::string& literals) {
  // Adjacent literals ("a" "b") are one wording.
  static const std::regex part(R"x("((?:[^"\\]|\\.)*)")x");
  std::string out;
  for (auto it = std::sregex_iterator(literals.begin(), literals.end(), part); it != std::sregex_iterator(); ++it)
    out += (*it)[1].str();
  return out;
}

std::vector<Entry> Declarations() {
  static const std::regex decl(
      R"x(constexpr\s+Text\s+k\w+\s*\{\s*"([^"]+)"\s*,\s*("(?:[^"\\]|\\.)*"(?:\s*"(?:[^"\\]|\\.)*")*)\s*\}\s*;)x");
  std::vector<Entry> all;
  for (const auto& f : fs::recursive_directory_iterator(fs::path(STALLORA_SOURCE_DIR) / "src")) {
    const auto ext = f.path().extension();
    if (ext != ".h" && ext != ".cpp") continue;
    if (f.path().filename() == "texts.h") continue;  // its comment shows an example entry
    std::ifstream in(f.path(), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string s = ss.str();
    for (auto it = std::sregex_iterator(s.begin(), s.end(), decl); it != std::sregex_iterator(); ++it)
      all.push_back({(*it)[1].str(), Unquote((*it)[2].str()), f.path().lexically_relative(STALLORA_SOURCE_DIR).string()});
  }
  return all;
}

TEST(StringTable, EachWordingAndEachKeyIsOneEntry) {
  const std::vector<Entry> all = Declarations();
  ASSERT_GT(all.size(), 500u) << "the sources were not found or the declaration form changed";
  std::map<std::string, std::vector<std::string>> byWording, byKey;
  for (const Entry& e : all) {
    byWording[e.wording].push_back(e.key + " in " + e.where);
    byKey[e.key].push_back(e.where);
  }
  for (const auto& [wording, places] : byWording) {
    if (places.size() < 2) continue;
    std::string list;
    for (const auto& p : places) list += "\n  " + p;
    ADD_FAILURE() << "\"" << wording << "\" is declared " << places.size() << " times:" << list;
  }
  for (const auto& [key, places] : byKey)
    EXPECT_EQ(places.size(), 1u) << "the key " << key << " names two texts (" << places[0] << ", " << places[1] << ")";
}

TEST(StringTable, TheSharedTextsAreTheOnesSeveralPlacesNamed) {
  // A shared entry nobody refers to is a text left behind by a window that went.
  std::ifstream in(fs::path(STALLORA_SOURCE_DIR) / "src/core/common_texts.h");
  ASSERT_TRUE(in) << "src/core/common_texts.h";
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string header = ss.str();
  static const std::regex name(R"x(constexpr\s+Text\s+(k\w+)\s*\{)x");
  std::set<std::string> shared;
  for (auto it = std::sregex_iterator(header.begin(), header.end(), name); it != std::sregex_iterator(); ++it)
    shared.insert((*it)[1].str());
  ASSERT_FALSE(shared.empty());
  std::map<std::string, int> uses;
  static const std::regex use(R"x(common::(k\w+))x");
  for (const auto& f : fs::recursive_directory_iterator(fs::path(STALLORA_SOURCE_DIR) / "src")) {
    const auto ext = f.path().extension();
    if (ext != ".h" && ext != ".cpp") continue;
    std::ifstream src(f.path(), std::ios::binary);
    std::stringstream body;
    body << src.rdbuf();
    const std::string s = body.str();
    for (auto it = std::sregex_iterator(s.begin(), s.end(), use); it != std::sregex_iterator(); ++it)
      ++uses[(*it)[1].str()];
  }
  for (const std::string& n : shared) EXPECT_GE(uses[n], 1) << "common::" << n << " is named nowhere";
}

}  // namespace
