#include "nutrition/rtf.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace stallora {
namespace {

RtfRun MakeRun(std::string text, std::string font = "Arial", double size = 10) {
  RtfRun r;
  r.text = std::move(text);
  r.font = std::move(font);
  r.size = size;
  return r;
}

TEST(Rtf, ReadsTheDiaryOfAWordProcessor) {
  // What a Windows rich edit control writes.
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1030{\\fonttbl{\\f0\\fswiss\\fcharset0 MS Sans Serif;}"
      "{\\f1\\fnil\\fcharset0 Arial;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
      "{\\*\\generator Msftedit 5.41.21.2510;}\\viewkind4\\uc1\\pard\\lang1030\\f0\\fs16 Dyrl\\'e6ge \\b bes\\'f8g"
      "\\b0\\par\r\n"
      "\\cf1\\i\\f1\\fs24 R\\'f8" "d tekst\\cf0\\i0\\par\r\n"
      "}\r\n";
  auto doc = ReadRtf(rtf);
  ASSERT_TRUE(doc);
  ASSERT_EQ(doc->paragraphs.size(), 3u);
  const auto& first = doc->paragraphs[0].runs;
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].text, "Dyrl\xE6ge ");
  EXPECT_EQ(first[0].font, "MS Sans Serif");
  EXPECT_EQ(first[0].size, 8);
  EXPECT_FALSE(first[0].bold);
  EXPECT_EQ(first[1].text, "bes\xF8g");
  EXPECT_TRUE(first[1].bold);
  const auto& second = doc->paragraphs[1].runs;
  ASSERT_EQ(second.size(), 1u);
  EXPECT_EQ(second[0].text, "R\xF8" "d tekst");
  EXPECT_TRUE(second[0].italic);
  EXPECT_EQ(second[0].font, "Arial");
  EXPECT_EQ(second[0].size, 12);
  ASSERT_TRUE(second[0].color);
  EXPECT_EQ(*second[0].color, (RtfColor{255, 0, 0}));
  EXPECT_TRUE(doc->paragraphs[2].runs.empty());
  EXPECT_EQ(doc->PlainText(), "Dyrl\xE6ge bes\xF8g\r\nR\xF8" "d tekst\r\n");
  EXPECT_EQ(DiaryPlainText(rtf), doc->PlainText());
}

TEST(Rtf, EscapesUnicodeAndSpecialCharacters) {
  auto doc = ReadRtf("{\\rtf1\\uc1 a\\{b\\}c\\\\d\\tab e\\u8364?f\\u-4064?g\\~h\\emdash\\'zz}");
  ASSERT_TRUE(doc);
  // \u-4064 is U+F020, which the code page lacks; \'zz is no hex escape: the letters stay.
  EXPECT_EQ(doc->PlainText(), "a{b}c\\d\te\x80" "f?g\xA0h\x97zz");
}

TEST(Rtf, SkipsDestinationsItDoesNotShow) {
  auto doc = ReadRtf(
      "{\\rtf1{\\info{\\author Per}{\\title T}}{\\stylesheet{\\s0 Normal;}}{\\*\\unknown hidden}"
      "{\\pict\\wmetafile8 0a0b0c}Synlig{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt link}}}");
  ASSERT_TRUE(doc);
  EXPECT_EQ(doc->PlainText(), "Synliglink");
}

TEST(Rtf, RefusesTextThatIsNotRtf) {
  std::string error;
  EXPECT_FALSE(ReadRtf("Bare tekst", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(ReadRtf(""));
  EXPECT_EQ(DiaryPlainText("Bare tekst\r\nlinje 2"), "Bare tekst\r\nlinje 2");
  EXPECT_TRUE(LooksLikeRtf("\r\n {\\rtf1}"));
}

TEST(Rtf, DamagedInputGivesWhatCanBeRead) {
  // Cut in the middle, unbalanced, a dangling backslash, a huge number, deep nesting.
  auto cut = ReadRtf("{\\rtf1\\ansi Dagbog linje\\par anden {\\b fed");
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->PlainText(), "Dagbog linje\r\nanden fed");
  auto dangling = ReadRtf("{\\rtf1 tekst\\");
  ASSERT_TRUE(dangling);
  EXPECT_EQ(dangling->PlainText(), "tekst");
  auto huge = ReadRtf("{\\rtf1\\fs99999999999999999999 x\\cf-99999999999 y\\f77777777777 z}");
  ASSERT_TRUE(huge);
  EXPECT_EQ(huge->PlainText(), "xyz");
  std::string deep = "{\\rtf1 ";
  for (int i = 0; i < 100000; ++i) deep += '{';
  deep += "dyb";
  for (int i = 0; i < 100000; ++i) deep += '}';
  deep += " efter}";
  auto nested = ReadRtf(deep);
  ASSERT_TRUE(nested);
  EXPECT_EQ(nested->PlainText(), "dyb efter");
  // Text after the document's closing brace is not part of it.
  EXPECT_EQ(ReadRtf("{\\rtf1 a}b")->PlainText(), "a");
}

TEST(Rtf, WrittenDocumentsReadBackTheSame) {
  RtfDocument doc;
  doc.paragraphs.resize(4);
  RtfRun bold = MakeRun("Fed {tekst} \\ med \xE6\xF8\xE5", "Times New Roman", 12);
  bold.bold = true;
  RtfRun coloured = MakeRun("r\xF8" "d", "Arial", 10.5);
  coloured.color = RtfColor{200, 10, 0};
  coloured.underline = true;
  RtfRun italic = MakeRun("kursiv\tefter tab", "", 8);
  italic.italic = true;
  doc.paragraphs[0].runs = {bold, coloured};
  doc.paragraphs[1].runs = {MakeRun("almindelig")};
  // paragraph 2 stays empty
  doc.paragraphs[3].runs = {italic, MakeRun("sidst", "Arial", 10.5)};
  const std::string rtf = WriteRtf(doc);
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252", 0), 0u);
  for (unsigned char c : rtf) EXPECT_LT(c, 0x80) << "written RTF is 7-bit";
  auto back = ReadRtf(rtf);
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, doc);
}

TEST(Rtf, WriterMergesRunsAndTurnsLineBreaksIntoParagraphs) {
  RtfDocument doc;
  doc.paragraphs.resize(1);
  doc.paragraphs[0].runs = {MakeRun("a"), MakeRun(""), MakeRun("b"), MakeRun("c\r\nd")};
  auto back = ReadRtf(WriteRtf(doc));
  ASSERT_TRUE(back);
  ASSERT_EQ(back->paragraphs.size(), 2u);
  ASSERT_EQ(back->paragraphs[0].runs.size(), 1u);
  EXPECT_EQ(back->paragraphs[0].runs[0].text, "abc");
  EXPECT_EQ(back->paragraphs[1].runs[0].text, "d");
  // Names with the table's separator and control characters are cleaned, not broken.
  RtfDocument odd;
  odd.paragraphs.resize(1);
  odd.paragraphs[0].runs = {MakeRun("x", "Bad;Font\x01", 9)};
  auto oddBack = ReadRtf(WriteRtf(odd));
  ASSERT_TRUE(oddBack);
  EXPECT_EQ(oddBack->paragraphs[0].runs[0].font, "BadFont");
  EXPECT_EQ(oddBack->paragraphs[0].runs[0].text, "x");
}

TEST(Rtf, PlainTextDocumentSplitsLines) {
  RtfDocument doc = PlainTextDocument("en\r\nto\ntre\r", "MS Sans Serif", 8);
  ASSERT_EQ(doc.paragraphs.size(), 4u);
  EXPECT_EQ(doc.PlainText(), "en\r\nto\r\ntre\r\n");
  EXPECT_EQ(doc.paragraphs[1].runs[0].font, "MS Sans Serif");
  auto back = ReadRtf(WriteRtf(doc));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, doc);
}

std::string ReadTestFile(const std::string& name) {
  std::ifstream in(std::filesystem::path(STALLORA_TEST_DATA) / "rtf" / name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// Made with LibreOffice Writer 7.4 (--convert-to rtf) from a diary typed in Writer: \uN with
// fallbacks, a font table with nested groups, the stylesheet and page tables, \hich/\loch.
TEST(Rtf, ReadsADiaryWrittenByLibreOffice) {
  auto doc = ReadRtf(ReadTestFile("libreoffice_diary.rtf"));
  ASSERT_TRUE(doc);
  ASSERT_GE(doc->paragraphs.size(), 5u);
  const auto& p = doc->paragraphs;
  EXPECT_EQ(p[0].Text(), "Dagbog for Bl\xE6sbjerg \x96 8. december 2026");
  EXPECT_EQ(p[0].runs[0].font, "Arial");
  EXPECT_EQ(p[0].runs[0].size, 10);
  ASSERT_EQ(p[1].runs.size(), 5u);
  EXPECT_EQ(p[1].runs[1].text, "ormekur givet");
  EXPECT_TRUE(p[1].runs[1].bold);
  EXPECT_FALSE(p[1].runs[0].bold);
  EXPECT_TRUE(p[1].runs[3].italic);
  EXPECT_TRUE(p[2].runs[0].underline);
  EXPECT_EQ(p[2].Text(), "Smed kommer fredag; pris 650 \x80.");
  ASSERT_TRUE(p[3].runs[0].color);
  EXPECT_EQ(*p[3].runs[0].color, (RtfColor{255, 0, 0}));
  // Omega has no Windows-1252 byte: the writer's fallback "?" stands for it.
  EXPECT_EQ(p[3].Text(), "Halter let p\xE5 venstre forben\t?-test");
  EXPECT_EQ(p[4].runs[0].font, "Times New Roman");
  EXPECT_EQ(p[4].runs[0].size, 14);
  EXPECT_EQ(p[4].Text(), "Foderplan \xE6ndret: 9 kg h\xF8, 1,5 kg havre.");
}

// The same word processor's notes with a heading, a bulleted list and a table: list
// numbering text stays in front of its item, table cells are apart on one line.
TEST(Rtf, ReadsListsAndTablesWrittenByLibreOffice) {
  auto doc = ReadRtf(ReadTestFile("libreoffice_notes.rtf"));
  ASSERT_TRUE(doc);
  std::vector<std::string> lines;
  for (const auto& p : doc->paragraphs) lines.push_back(p.Text());
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[0], "\tStald Egebjerg \x96 noter");
  EXPECT_TRUE(doc->paragraphs[0].runs.back().bold);
  EXPECT_EQ(lines[1], " ?\tVand efterset i alle bokse");
  EXPECT_EQ(lines[2], " ?\tH\xF8leverance tirsdag");
  EXPECT_EQ(*doc->paragraphs[2].runs.back().color, (RtfColor{0, 0, 255}));
  EXPECT_EQ(lines[3], "Boks 1\tNova");
  EXPECT_EQ(lines[4], "Sidste linje med \xE6\xF8\xE5 \xC6\xD8\xC5 og \x84" "citat\x93.");
}

TEST(Rtf, SeedFilesRead) {
  const std::filesystem::path dir = std::filesystem::path(STALLORA_TEST_DATA) / "rtf";
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    std::ifstream in(e.path(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    auto doc = ReadRtf(bytes);
    ASSERT_TRUE(doc) << e.path();
    EXPECT_FALSE(doc->PlainText().empty()) << e.path();
    ++files;
  }
  EXPECT_GE(files, 2);
}

}  // namespace
}  // namespace stallora
