// Form files written by other programs that use the same text format: every one must pass
// the grammar check, and the check that stores nothing, the parser that builds the tree and
// the reader that is handed one block at a time must agree on every file. They live outside
// the project and are read in place; the test is skipped where they are not present.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/fileio.h"
#include "core/objtext_parser.h"

namespace stallora {
namespace {

// A value as text, every string and binary block decoded.
void DumpValue(const ObjValue& v, std::string& out) {
  using K = ObjValue::Kind;
  switch (v.kind) {
    case K::kInteger: out += "i" + std::to_string(v.integer); break;
    case K::kFloat: out += "f" + std::to_string(v.real) + v.floatMark; break;
    case K::kString: out += (v.wide ? "w'" : "'") + v.String() + "'"; break;
    case K::kIdentifier: out += "n" + std::string(v.text); break;
    case K::kBinary: out += "b" + std::to_string(v.Bytes().size()) + ":" + v.Bytes(); break;
    case K::kSet:
    case K::kList:
      out += v.kind == K::kSet ? "[" : "(";
      for (const ObjValue& item : v.Items()) {
        DumpValue(item, out);
        out += " ";
      }
      out += v.kind == K::kSet ? "]" : ")";
      break;
    case K::kCollection:
      out += "<";
      for (const ObjValue::Item& item : v.Collection()) {
        out += "item" + (item.hasIndex ? std::to_string(item.index) : std::string()) + "{";
        for (const ObjProperty& p : item.properties) {
          out += std::string(p.path) + "@" + std::to_string(p.line) + "=";
          DumpValue(p.value, out);
          out += ";";
        }
        out += "}";
      }
      out += ">";
      break;
  }
}

void DumpHeader(const ObjBlock& b, size_t depth, std::string& out) {
  out += std::string(depth, ' ') + std::string(b.keyword) + " " + std::string(b.instanceName) + ":" +
         std::string(b.className) + (b.hasPosition ? "[" + std::to_string(b.position) + "]" : "") + "@" +
         std::to_string(b.line) + "\n";
  for (const ObjProperty& p : b.properties) {
    out += std::string(depth + 1, ' ') + std::string(p.path) + "@" + std::to_string(p.line) + "=";
    DumpValue(p.value, out);
    out += "\n";
  }
}

void DumpTree(const ObjBlock& b, size_t depth, std::string& out) {
  DumpHeader(b, depth, out);
  for (const ObjBlock& child : b.children) DumpTree(child, depth + 1, out);
  out += std::string(depth, ' ') + "end\n";
}

class Dumper : public ObjBlockVisitor {
 public:
  void BeginBlock(ObjBlock& block) override { DumpHeader(block, depth_++, out); }
  void EndBlock() override { out += std::string(--depth_, ' ') + "end\n"; }
  std::string out;

 private:
  size_t depth_ = 0;
};

template <class F>
std::string Outcome(F&& f) {
  try {
    f();
  } catch (const ObjTextError& e) {
    return e.what();
  }
  return "OK";
}

TEST(ObjTextCorpus, EveryThirdPartyFormPassesTheGrammarCheckThroughEveryPath) {
  const std::filesystem::path root = STALLORA_SHARED_CORPUS;
  if (!std::filesystem::is_directory(root)) GTEST_SKIP() << "no corpus at " << root;
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    const auto ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".lfm" && ext != ".dfm")) continue;
    ++files;
    const auto text = ReadWholeFile(entry.path());
    ASSERT_TRUE(text) << entry.path();
    const std::string checked = Outcome([&] { CheckObjectTextSyntax(*text); });
    EXPECT_EQ(checked, "OK") << entry.path();
    std::string tree;
    const std::string parsed = Outcome([&] { DumpTree(ParseObjectText(*text), 0, tree); });
    EXPECT_EQ(parsed, checked) << entry.path();
    Dumper visited;
    EXPECT_EQ(Outcome([&] { VisitObjectText(*text, visited); }), checked) << entry.path();
    EXPECT_EQ(visited.out, tree) << entry.path();
    // A file cut short anywhere fails alike through both paths.
    for (size_t cut : {text->size() / 3, text->size() / 2, text->size() - 2}) {
      const std::string_view part(text->data(), cut);
      EXPECT_EQ(Outcome([&] { CheckObjectTextSyntax(part); }), Outcome([&] { (void)ParseObjectText(part); }))
          << entry.path() << " cut at " << cut;
    }
  }
  EXPECT_GE(files, 384);
}

}  // namespace
}  // namespace stallora
