// The tokenizer and grammar check: what is accepted, and every message with its line.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "core/objtext_parser.h"

namespace stallora {
namespace {

// The grammar check that stores nothing.
std::string SyntaxError(std::string_view text) {
  try {
    CheckObjectTextSyntax(text);
  } catch (const ObjTextError& e) {
    return e.what();
  }
  return "OK";
}

// The same text through the parser that builds the tree.
std::string TreeError(std::string_view text) {
  try {
    (void)ParseObjectText(text);
  } catch (const ObjTextError& e) {
    return e.what();
  }
  return "OK";
}

TEST(ObjTextSyntax, AcceptsEveryValueForm) {
  const char* text =
      "inherited Form1: TForm1 [2]\r\n"
      "  Left = -10\n"
      "  Hex = $FF\n"
      "  Ratio = 1.5E-3\n"
      "  Single = 1.5s\n"
      "  Money = 12c\n"
      "  When = 39448.75d\n"
      "  Caption = 'It''s'#13#10'ok' +\n"
      "    ' more'\n"
      "  Wide = 'x'#8364\n"
      "  Align = alClient\n"
      "  Ref = Owner.Panel1.Font\n"
      "  Style = [fsBold, fsItalic]\n"
      "  Nums = [1, 2]\n"
      "  Empty = []\n"
      "  Lines.Strings = (\n"
      "    'a'\n"
      "    'b')\n"
      "  Mixed = (1 'two' three 4.5 (nested) [set])\n"
      "  Data = {\n"
      "    0A0b FF\n"
      "    00}\n"
      "  Columns = <\n"
      "    item\n"
      "      Width = 5\n"
      "    end\n"
      "    item [3]\n"
      "    end>\n"
      "  NoItems = <>\n"
      "  object Child: TPanel\n"
      "    inline Frame1: TFrame1[0]\n"
      "    end\n"
      "  end\n"
      "  OBJECT TBevel\n"
      "  END\n"
      "end\n";
  EXPECT_EQ(SyntaxError(text), "OK");
  EXPECT_EQ(TreeError(text), "OK");
}

TEST(ObjTextSyntax, TheTreeHoldsWhatTheTextSaid) {
  ObjBlock b =
      ParseObjectText("object X: TThing [4]\n a.b.c = 'q'#10 + 'r'\n n = -7\n f = 2.5\n object TChild end\nend");
  EXPECT_EQ(b.instanceName, "X");
  EXPECT_EQ(b.className, "TThing");
  EXPECT_TRUE(b.hasPosition);
  EXPECT_EQ(b.position, 4);
  ASSERT_EQ(b.properties.size(), 3u);
  EXPECT_EQ(b.properties[0].path, "a.b.c");
  EXPECT_EQ(b.properties[0].value.String(), "q\nr");
  EXPECT_EQ(b.properties[0].line, 2);
  EXPECT_EQ(b.properties[1].value.integer, -7);
  EXPECT_EQ(b.properties[2].value.real, 2.5);
  ASSERT_EQ(b.children.size(), 1u);
  EXPECT_EQ(b.children[0].className, "TChild");
}

TEST(ObjTextSyntax, StringCodes) {
  ObjBlock b = ParseObjectText("object T s = #39#255'a'# end");
  EXPECT_EQ(b.properties[0].value.String(), std::string("'\xFF"
                                                        "a") +
                                                std::string(1, '\0'));
  EXPECT_FALSE(b.properties[0].value.wide);
  b = ParseObjectText("object T s = #256 end");
  EXPECT_TRUE(b.properties[0].value.wide);
}

TEST(ObjTextSyntax, OnlyTheFirstBlockIsRead) {
  EXPECT_EQ(SyntaxError("object A end\nobject B end"), "OK");
  EXPECT_EQ(SyntaxError("object A end\n'never closed\n{zz"), "OK");
  EXPECT_EQ(TreeError("object A end\n'never closed\n{zz"), "OK");
}

TEST(ObjTextSyntax, AByteOrderMarkAtTheStartIsSkipped) {
  EXPECT_EQ(SyntaxError("\xEF\xBB\xBFobject A end"), "OK");
  // Anywhere else it is just a stray character.
  EXPECT_EQ(SyntaxError("object A \xEF\xBB\xBF end"), "Identifier expected on line 1");
}

struct ErrorCase {
  const char* text;
  const char* message;
};

TEST(ObjTextSyntax, EveryMessageWithItsLine) {
  const ErrorCase cases[] = {
      {"", "OBJECT expected on line 1"},
      {"\n\nthing TFoo end", "OBJECT expected on line 3"},
      {"object\n", "Identifier expected on line 2"},
      {"object A:\n 5 end", "Identifier expected on line 2"},
      {"object T\n  = 5\nend", "Identifier expected on line 2"},
      {"object T\n a. = 5\nend", "Identifier expected on line 2"},
      {"object T\n a = 5\n", "Identifier expected on line 3"},
      {"object T\n a = 5\n object", "Identifier expected on line 3"},
      {"object T\n object C end\n a = 1 end", "OBJECT expected on line 3"},
      {"object T\n a = 'x' +\n 5\nend", "String expected on line 3"},
      {"object T [x]\nend", "Number expected on line 1"},
      {"object T [1 x\nend", "'']'' expected on line 1"},
      {"object T\n a 5\nend", "''='' expected on line 2"},
      {"object T\n a = [x y]\nend", "'','' expected on line 2"},
      {"object T\n a = [x,\n 'y']\nend", "Identifier expected on line 3"},
      {"object T\n a = <\n x>\nend", "item expected on line 3"},
      {"object T\n a = < item [y] end>\nend", "Number expected on line 2"},
      {"object T\n a = )\nend", "Invalid property value on line 2"},
      {"object T\n a = (1 2\n", "Invalid property value on line 3"},
      {"object T\n a = ,\nend", "Invalid property value on line 2"},
      {"object T\n a = 'abc\n'\nend", "Invalid string constant on line 2"},
      {"object T\n a = 'abc", "Invalid string constant on line 2"},
      {"object T\n a = {0G}\nend", "Invalid binary value on line 2"},
      {"object T\n a = {\n ABC}\nend", "Invalid binary value on line 3"},
      {"object T\n a = {A B}\nend", "Invalid binary value on line 2"},
      {"object T\n a = {00\n\n", "Invalid binary value on line 4"},
      {"object T\n a = $\nend", "'$' is not a valid integer value on line 2"},
      {"object T\n a = -\nend", "'-' is not a valid integer value on line 2"},
      {"object T\n a = 99999999999999999999\nend", "'99999999999999999999' is not a valid integer value on line 2"},
      {"object T\n a = $11112222333344445\nend", "'$11112222333344445' is not a valid integer value on line 2"},
      {"object T\n a = 1.2.3\nend", "'1.2.3' is not a valid floating point value on line 2"},
      {"object T\n a = 1e\nend", "'1e' is not a valid floating point value on line 2"},
      {"object T\n a = 1e999\nend", "'1e999' is not a valid floating point value on line 2"},
      {"object T\n a = 5-\nend", "'5-' is not a valid floating point value on line 2"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SyntaxError(c.text), c.message) << c.text;
    EXPECT_EQ(TreeError(c.text), c.message) << c.text;
  }
}

TEST(ObjTextSyntax, DeepNestingIsAnErrorNotACrash) {
  std::string blocks;
  for (int i = 0; i < 100000; ++i) blocks += "object T ";
  EXPECT_EQ(SyntaxError(blocks), "Nesting too deep on line 1");
  EXPECT_EQ(TreeError(blocks), "Nesting too deep on line 1");
  std::string lists = "object T a = ";
  for (int i = 0; i < 100000; ++i) lists += "(";
  EXPECT_EQ(SyntaxError(lists), "Nesting too deep on line 1");
  EXPECT_EQ(TreeError(lists), "Nesting too deep on line 1");
  std::string collections = "object T a = ";
  for (int i = 0; i < 100000; ++i) collections += "< item b = ";
  EXPECT_EQ(SyntaxError(collections), "Nesting too deep on line 1");
  EXPECT_EQ(TreeError(collections), "Nesting too deep on line 1");
  // The program's own depth and the deepest forms of other programs are far inside the limit.
  std::string ok;
  for (int i = 0; i < 200; ++i) ok += "object T\n";
  for (int i = 0; i < 200; ++i) ok += "end\n";
  EXPECT_EQ(SyntaxError(ok), "OK");
  EXPECT_EQ(TreeError(ok), "OK");
}

TEST(ObjTextSyntax, LongLinesAreAccepted) {
  std::string text = "object T\n a = '" + std::string(10000, 'x') + "'\nend";
  EXPECT_EQ(SyntaxError(text), "OK");
}

}  // namespace
}  // namespace stallora

namespace stallora {
namespace {

TEST(ObjTextSyntax, SubnormalFloatsAreNumbersOverflowIsNot) {
  ObjBlock b = ParseObjectText("object T a = 1E-320 end");
  EXPECT_GT(b.properties[0].value.real, 0);
  EXPECT_LT(b.properties[0].value.real, 1e-300);
  EXPECT_EQ(SyntaxError("object T a = 1E-400 end"), "'1E-400' is not a valid floating point value on line 1");
  EXPECT_EQ(TreeError("object T a = 1E-400 end"), "'1E-400' is not a valid floating point value on line 1");
}

// Values are decoded only when asked for; what needs no decoding stays a view of the text.
TEST(ObjTextSyntax, ValuesAreViewsIntoTheTextUntilDecoded) {
  const std::string text =
      "object T\r\n"
      "  Plain = 'abc'\r\n"
      "  Coded = 'It''s'#13#10'ok' +\r\n"
      "    ' more'#8364\r\n"
      "  Path . Part = x . y\r\n"
      "  Data = {\r\n"
      "    0A0b FF\r\n"
      "    00}\r\n"
      "  Lines.Strings = (\r\n"
      "    'a'\r\n"
      "    #98)\r\n"
      "  Set = [fsBold, 3]\r\n"
      "  Items = <\r\n"
      "    item [2]\r\n"
      "      Width = 5\r\n"
      "    end>\r\n"
      "end\r\n";
  const ObjBlock b = ParseObjectText(text);
  auto inside = [&](std::string_view v) {
    return v.data() >= text.data() && v.data() + v.size() <= text.data() + text.size();
  };
  ASSERT_EQ(b.properties.size(), 7u);
  const ObjValue& plain = b.properties[0].value;
  EXPECT_FALSE(plain.encoded);
  EXPECT_TRUE(inside(plain.text));
  EXPECT_EQ(plain.String(), "abc");
  EXPECT_EQ(plain.aggregate, nullptr);

  const ObjValue& coded = b.properties[1].value;
  EXPECT_TRUE(coded.encoded);
  EXPECT_TRUE(coded.wide);
  EXPECT_EQ(coded.String(), "It's\r\nok more?");
  EXPECT_EQ(b.properties[1].line, 3);

  // Blanks between the parts of a name are allowed; the joined name is kept aside.
  EXPECT_EQ(b.properties[2].path, "Path.Part");
  EXPECT_EQ(b.properties[2].value.text, "x.y");

  const ObjValue& data = b.properties[3].value;
  EXPECT_EQ(data.kind, ObjValue::Kind::kBinary);
  EXPECT_TRUE(inside(data.text));
  EXPECT_EQ(data.Bytes(), std::string("\x0A\x0B\xFF\x00", 4));

  const ObjValue& lines = b.properties[4].value;
  ASSERT_EQ(lines.Items().size(), 2u);
  EXPECT_EQ(lines.Items()[0].String(), "a");
  EXPECT_EQ(lines.Items()[1].String(), "b");

  const ObjValue& set = b.properties[5].value;
  ASSERT_EQ(set.Items().size(), 2u);
  EXPECT_EQ(set.Items()[0].text, "fsBold");
  EXPECT_EQ(set.Items()[1].integer, 3);

  const ObjValue& items = b.properties[6].value;
  ASSERT_EQ(items.Collection().size(), 1u);
  EXPECT_EQ(items.Collection()[0].index, 2);
  ASSERT_EQ(items.Collection()[0].properties.size(), 1u);
  EXPECT_EQ(items.Collection()[0].properties[0].value.integer, 5);
  EXPECT_EQ(items.Collection()[0].properties[0].line, 15);
}

// The visitor sees the blocks the tree holds, in file order, and nothing when the text has
// a grammar error anywhere.
class Recorder : public ObjBlockVisitor {
 public:
  void BeginBlock(ObjBlock& block) override {
    log += std::string(depth * 2, ' ') + std::string(block.className) + ":";
    for (const ObjProperty& p : block.properties) log += " " + std::string(p.path);
    log += "\n";
    ++depth;
  }
  void EndBlock() override { --depth; }
  std::string log;
  size_t depth = 0;
};

TEST(ObjTextSyntax, TheVisitorSeesEveryBlockAfterTheWholeCheck) {
  Recorder r;
  VisitObjectText("object A x = 1 y = 'q' object B z = 2 object C end end object D end end", r);
  EXPECT_EQ(r.log, "A: x y\n  B: z\n    C:\n  D:\n");
  EXPECT_EQ(r.depth, 0u);

  Recorder trailing;
  VisitObjectText("object A x = 1 object B end end 'never closed", trailing);
  EXPECT_EQ(trailing.log, "A: x\n  B:\n") << "nothing after the root's end is read";
  Recorder late;
  try {
    VisitObjectText("object A x = 1\n object B\n end\n object C y = {0} end\nend", late);
    ADD_FAILURE() << "no error";
  } catch (const ObjTextError& e) {
    EXPECT_STREQ(e.what(), "Invalid binary value on line 4");
  }
  EXPECT_EQ(late.log, "") << "a grammar error is found before any block is handed over";
}

// In one pass the visitor sees blocks as they come; its own error waits for the rest of the
// check, and nothing more is handed to it after that error.
class FailingAt : public Recorder {
 public:
  explicit FailingAt(std::string name, bool plainError = false) : name_(std::move(name)), plain_(plainError) {}
  void BeginBlock(ObjBlock& block) override {
    if (block.className == name_) {
      if (plain_) throw std::runtime_error("not a reader error");
      throw ObjTextError("refused " + name_);
    }
    Recorder::BeginBlock(block);
  }
  void EndBlock() override {
    ++ends;
    Recorder::EndBlock();
  }
  int ends = 0;

 private:
  std::string name_;
  bool plain_;
};

std::string OnePassError(std::string_view text, ObjBlockVisitor& visitor) {
  try {
    VisitObjectTextOnce(text, visitor);
  } catch (const ObjTextError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(ObjTextSyntax, InOnePassTheGrammarErrorStillComesFirst) {
  Recorder all;
  EXPECT_EQ(OnePassError("object A x = 1 object B z = 2 object C end end object D end end", all), "(no error)");
  EXPECT_EQ(all.log, "A: x\n  B: z\n    C:\n  D:\n");
  EXPECT_EQ(all.depth, 0u);

  const std::string text = "object A x = 1\n object B\n  object C end\n end\n object D y = 2 end\n";
  FailingAt atB("B");
  EXPECT_EQ(OnePassError(text + "end", atB), "refused B");
  EXPECT_EQ(atB.log, "A: x\n") << "nothing after the refused block";
  EXPECT_EQ(atB.ends, 0) << "not even the ends of the blocks around it";
  FailingAt atBThenBadText("B");
  EXPECT_EQ(OnePassError(text + " object E z = {1} end\nend", atBThenBadText), "Invalid binary value on line 6");
  FailingAt atD("D");
  EXPECT_EQ(OnePassError(text + " z = ,\nend", atD), "OBJECT expected on line 6");
  EXPECT_EQ(atD.log, "A: x\n  B:\n    C:\n") << "the blocks before the error were handed over";

  FailingAt plain("B", /*plainError=*/true);
  EXPECT_THROW(VisitObjectTextOnce(text + " z = ,\nend", plain), std::runtime_error)
      << "an error that is not the reader's ends the walk at once";
}

}  // namespace
}  // namespace stallora
