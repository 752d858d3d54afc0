#include "ration/horse_reports.h"

#include <gtest/gtest.h>

#include "core/cp1252.h"
#include "core/textutil.h"
#include "ration/balance_chart.h"
#include "forms/ration_page.h"
#include "report_fixture.h"

namespace stallora {
namespace {

using testing::ExpectGolden;
using testing::ReadBytes;

// Records what the graphics page asks to draw and writes a stand-in file.
class FakePictureWriter final : public PictureWriter {
 public:
  bool WriteJpeg(int width, int height, const std::function<void(Canvas&)>& draw,
                 const std::filesystem::path& path) override {
    RecordingCanvas canvas(width, height);
    draw(canvas);
    calls.push_back({width, height, path, canvas.ops.size()});
    if (fail) return false;
    std::ofstream(path, std::ios::binary) << "JPEG";
    return true;
  }
  struct Call {
    int width, height;
    std::filesystem::path path;
    size_t ops;
  };
  std::vector<Call> calls;
  bool fail = false;
};

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class HorseReportsTest : public testing::ReportTest {
 protected:
  std::filesystem::path HorseDir() const { return dir_ / "Save" / "Min stald1" / "Blakken"; }
};

// ---- file names

TEST_F(HorseReportsTest, FileNamesCarryKindNameAndADateFitForAFileName) {
  auto h = Blakken();
  regional_.shortDateFormat = "dd.mm.yyyy";
  env_->regional = regional_;
  HorseReports r(*h, HorseDir());
  EXPECT_EQ(r.Filnavn(kFeedPlanReport), HorseDir() / "01Foderplan_Blakken_08122026_00.htm");
  EXPECT_TRUE(std::filesystem::is_directory(HorseDir()));  // created on the way
  EXPECT_EQ(r.Filnavn(kGraphicsReport).filename(), "02Foderplan grafik_Blakken_08122026_00.htm");
  EXPECT_EQ(r.Filnavn(kWeightReport).filename(), PathFromText("05V\xE6gtdata_Blakken_08122026_00.htm"));
  EXPECT_EQ(r.Filnavn(kSimpleFeedPlanReport).filename(), "08Simpel foderplan_Blakken_08122026_00.htm");
  EXPECT_EQ(r.Filnavn(kDiaryReport).filename(), "00Dagbog_Blakken.rtf");
  EXPECT_EQ(r.Filnavn(9).filename(), "09Other_Blakken_08122026_00.htm");
  // A slash in the short date would make directories of the date: it is left out too.
  env_->regional.shortDateFormat = "dd/mm/yyyy";
  EXPECT_EQ(r.Filnavn(kFeedPlanReport).filename(), "01Foderplan_Blakken_08122026_00.htm");
  env_->regional.shortDateFormat = "yyyy-mm-dd";
  EXPECT_EQ(r.Filnavn(kFeedPlanReport).filename(), "01Foderplan_Blakken_2026-12-08_00.htm");
  EXPECT_EQ(FileNameDate(Regional{"dd:mm|yyyy*"}, today()), "08122026");
}

TEST_F(HorseReportsTest, AnUncreatableHorseDirectoryIsReported) {
  auto h = Blakken();
  std::ofstream(dir_ / "blocker") << "a file";
  HorseReports r(*h, dir_ / "blocker" / "Blakken");
  std::string error;
  r.Filnavn(kFeedPlanReport, &error);
  EXPECT_EQ(error.rfind("Error: Storage directory for Blakken could not be created\rPath: ", 0), 0u) << error;
  error.clear();
  EXPECT_TRUE(r.SkrivFoderplan(false, &error).empty());
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(r.LagVektside(&error).empty());
  EXPECT_EQ(error.rfind("Kunne ikke dannes ", 0), 0u) << error;
}

// ---- whole pages against golden files checked by hand

TEST_F(HorseReportsTest, GoldenPages) {
  auto h = Blakken();
  h->rationComment = "Giv <b>ikke</b> h\xF8 & halm<br>Vand efter arbejde";
  FakePictureWriter pictures;
  HorseReports r(*h, HorseDir(), &pictures);
  ExpectGolden(r.LagFoderplan(true), "feedplan.htm");
  ExpectGolden(r.LagSimpelFoderplan(), "simple.htm");
  ExpectGolden(r.LagBehovside(), "requirements.htm");
  ExpectGolden(r.LagMaltidside(), "meals.htm");
  ExpectGolden(r.Vektside(), "weight.htm");
  std::string graphics = r.Grafikkside();
  const std::string dirText = PathText(HorseDir());
  for (size_t at; (at = graphics.find(dirText)) != std::string::npos;) graphics.replace(at, dirText.size(), "@DIR@");
  ExpectGolden(graphics, "graphics.htm");
}

// ---- the feeding plan

TEST_F(HorseReportsTest, SupplementsAreShownInGrams) {
  auto h = Blakken();
  HorseReports r(*h, HorseDir());
  const std::string table = r.Rasjonstabell();
  EXPECT_TRUE(Has(table, "\n\r    50</td>\n\r<td align=\"center\"> g </td>")) << table;
  EXPECT_TRUE(Has(table, "\n\r  9,00</td>\n\r<td align=\"center\"> kg </td>"));
  EXPECT_TRUE(Has(r.LagMaltidside(), "<td >    50g</td>"));
}

// The page's price line, the HTML plan, the horse summary and the stable overview read the
// same daily price: 32.735 kr a day is 32,74 everywhere, whether the total is held just
// below the half (the nearest double to 32.735) or a little further below it (a sum).
TEST_F(HorseReportsTest, OneRoundingRuleForTheDailyPrice) {
  auto typed = std::make_unique<THest>(*env_);
  typed->Navn = "Typed";
  typed->VektListe->LeggTil(500, today());
  Feed(*typed, "Havre", 3, 5, 6.547, {});
  auto summed = std::make_unique<THest>(*env_);
  summed->Navn = "Summed";
  summed->VektListe->LeggTil(500, today());
  for (int i = 0; i < 10; ++i) Feed(*summed, "Foder" + std::to_string(i), 3, 1, 3.2735, {});
  for (THest* h : {typed.get(), summed.get()}) {
    SCOPED_TRACE(h->Navn);
    const double total = h->ForListe->TotalPrice();
    ASSERT_NEAR(total, 32.735, 1e-9);
    EXPECT_TRUE(Has(FeedPlanPriceLine(total, env_->regional).text, "32,74 kr/dag"))
        << FeedPlanPriceLine(total, env_->regional).text;
    HorseReports r(*h, HorseDir());
    EXPECT_TRUE(Has(r.Rasjonstabell(), "32,74 kr/dag")) << r.Rasjonstabell();
    EXPECT_TRUE(Has(h->Foderomkostninger(), "32,74 kr/dag")) << h->Foderomkostninger();
    EXPECT_TRUE(Has(ProfileText(ComputeProfile(*h), env_->regional), "32,74")) << ProfileText(ComputeProfile(*h), env_->regional);
  }
}

TEST_F(HorseReportsTest, ARationInRangeHasNoMarksNoLegendAndNoComments) {
  auto h = Blakken();
  h->ForListe->Clear();
  h->BeregnBehov();
  std::initializer_list<double> none{};
  TFor& exact = Feed(*h, "Efter behov", 7, 1, 0, none);
  for (int i = 0; i < kNutrientCount; ++i) exact.SetValue(i, h->Behov[static_cast<size_t>(i)]);
  exact.UpdateRatio();
  HorseReports r(*h, HorseDir());
  const std::string plan = r.LagFoderplan(true);
  for (int i = 0; i < kNutrientCount; ++i) EXPECT_FALSE(h->UtenforOmrade[static_cast<size_t>(i)]) << i;
  EXPECT_FALSE(Has(plan, "*"));
  EXPECT_FALSE(Has(plan, "udenfor optimalomr"));
  EXPECT_FALSE(Has(plan, "Kommentar foderplan"));
}

TEST_F(HorseReportsTest, CommentsFollowTheFlagsAndTheAdviceFile) {
  auto h = Blakken();
  HorseReports r(*h, HorseDir());
  const std::string with = r.LagFoderplan(true);
  ASSERT_TRUE(h->UtenforOmrade[0]);  // 9 kg hay and 1.5 kg oats: too much energy
  EXPECT_TRUE(Has(with, "<font face=\"Arial\" size=\"4\">Blakken:  Kommentar foderplan 08-12-2026</font>"));
  EXPECT_TRUE(Has(with, "<td Align=\"left\">For meget Energi</td>"));
  const std::string advice = ReadBytes(dir_ / "Resources" / "fpinf45.txt");
  EXPECT_TRUE(Has(with, "<td Align=\"left\">" + NutrientAdvice(advice, "+Energi") + "</td></tr>"));
  EXPECT_FALSE(Has(r.LagFoderplan(false), "Kommentar foderplan"));
  std::filesystem::remove(dir_ / "Resources" / "fpinf45.txt");
  const std::string without = r.LagFoderplan(true);
  EXPECT_FALSE(Has(without, "Kommentar foderplan"));
  EXPECT_TRUE(Has(without, "*: Indhold af n\xE6ringsstof udenfor optimalomr\xE5" "det"));
}

TEST_F(HorseReportsTest, ARequirementOfZeroHasNoPercentage) {
  auto h = Blakken();
  requirements_->Element(13)->Behovsstrenger.assign(6, "0");
  HorseReports r(*h, HorseDir());
  const std::string plan = r.LagFoderplan(false);
  const size_t row = plan.find(">Kobolt");
  ASSERT_NE(row, std::string::npos);
  const size_t end = plan.find("</tr>", row);
  EXPECT_EQ(plan.substr(end - 15, 20), "<td>&nbsp;</td></tr>");
  // The simple plan lists cobalt only when chosen; a zero requirement there is nutrient 12.
  requirements_->Element(12)->Behovsstrenger.assign(6, "0");
  const std::string simple = r.LagSimpelFoderplan();
  EXPECT_FALSE(Has(simple, "inf"));
  EXPECT_FALSE(Has(simple, "nan"));
  EXPECT_TRUE(Has(simple, "<td class=\"nd right\"></td>"));
}

TEST_F(HorseReportsTest, RecordTextIsEscapedAndTheCommentKeepsItsLineBreaks) {
  auto h = Blakken();
  h->Navn = "Bl\xE5 <b>";
  h->ForListe->FeedAt(0)->Fornavn = "H\xF8 \"gammelt\"";
  h->rationComment = "a < b & c<br>ny linje";
  HorseReports r(*h, HorseDir());
  const std::string plan = r.LagFoderplan(false);
  EXPECT_TRUE(Has(plan, "Bl\xE5 &lt;b&gt;"));
  EXPECT_FALSE(Has(plan, "Bl\xE5 <b>"));
  EXPECT_TRUE(Has(plan, "<td>H\xF8 &quot;gammelt&quot;</td>"));
  EXPECT_TRUE(Has(plan, "<td>Mineral &lt;Plus&gt; &amp; Co</td>"));
  EXPECT_TRUE(Has(plan, "<td>a &lt; b &amp; c<br>ny linje</td></tr>"));
  EXPECT_TRUE(Has(plan, "Holm Foder &amp; R\xE5" "dgivning"));
  EXPECT_TRUE(Has(r.LagSimpelFoderplan(), "<h2>Bl\xE5 &lt;b&gt;</h2>"));
  EXPECT_TRUE(Has(r.LagMaltidside(), "Bl\xE5 &lt;b&gt;"));
}

// ---- the horse summary and the text lines

TEST_F(HorseReportsTest, SummaryTextsPerCategory) {
  auto h = Blakken();
  HorseReports r(*h, HorseDir());
  auto tasks = [&](bool roughage = false) {
    const std::string info = r.Hesteinfo(roughage, false);
    const size_t at = info.find("\"top\"><td>\xD8vrige opgaver</td>\n\r<td>");
    EXPECT_NE(at, std::string::npos) << info;
    const size_t from = info.find("<td>", at + 20) + 4;
    return info.substr(from, info.find("</td></tr>", from) - from);
  };
  EXPECT_EQ(tasks(), "-");
  h->VedlikeholdsTurbo = -0.1;
  EXPECT_EQ(tasks(), "-<br>Hesten g\xE5r ned i v\xE6gt. Energibehovet nedsat    10%");
  h->VedlikeholdsTurbo = 0.05;
  EXPECT_EQ(tasks(), "-<br>Hesten er for tynd. Energibehovet \xF8get     5%");
  h->VedlikeholdsTurbo = 0;
  h->TreningsMengde = 0.101;  // extra activity
  EXPECT_EQ(tasks(), "-Ekstra aktivitet valgt. Energibehov forh\xF8jet med 10%");
  h->TreningsMengde = 0;
  EXPECT_EQ(tasks(true), "-<br>Grovfoderm\xE6ngde acceptabel");

  h->Kategori = TDyreKategori::Lakterende;
  h->PartusDato = EncodeDate(2026, 10, 1);
  h->ParringsDato = EncodeDate(2026, 11, 1);
  EXPECT_EQ(tasks(), "Diegivende hoppe  3. mdr. - 2 mdr dr\xE6gtig");
  EXPECT_EQ(r.Tilstandslinje(), "Diegivende hoppe, 3. mdr");
  h->Kategori = TDyreKategori::Drektig;
  EXPECT_EQ(tasks(), "Dr\xE6gtig hoppe  i 2. mdr -  ");
  EXPECT_EQ(r.Tilstandslinje(), "Dr\xE6gtig hoppe i 2. mdr ");

  h->Kategori = TDyreKategori::Ungdyr;
  h->Fodselsdato = EncodeDate(2026, 4, 1);
  h->Sistetilvekst = 0.75;
  h->ForventetVoksenvekt = 550;
  h->OnsketVekstHastighet = TWeightGainRate::Fast;
  EXPECT_EQ(tasks(),
            "F\xF8" "dselsdato 01-04-2026<br>Ingen tr\xE6ning<br>Tilv\xE6kst    0,75 kg/dag<br>Forventet "
            "voksenv\xE6gt   550 kg<br>Hurtig tilv\xE6kst valgt. Energiforsyningen \xF8get med 25%");
  EXPECT_EQ(r.Tilstandslinje(), "F\xF8l og unghest F\xF8" "dt 01-04-2026. Tilv\xE6kst 0,75 kg/dag. Forventet voksenv\xE6gt 550 kg");
}

TEST_F(HorseReportsTest, DiaryLines) {
  auto h = Blakken();
  HorseReports r(*h, HorseDir());
  StringList lines;
  r.Hestelinjer(lines);
  const StringList expected = {"Oplysninger om hesten \"Blakken\" - 8. december 2026",
                               "Startforbud til 20-12-2026",
                               "Rolig vallak",
                               CountrySettings::NameAt(settings_.sexNames, 2) + " - Vedligeholdelse",
                               "F\xF8" "dt: 01-05-2015 (11 \xC5r)",
                               "V\xE6gtdata kg:   500"};
  EXPECT_EQ(lines, expected);
  lines.clear();
  r.Hestelinjer(lines, true);
  EXPECT_EQ(lines.size(), expected.size() - 1);  // no birth line for a comparison

  StringList ration;
  r.Rasjonslinjer(ration);
  ASSERT_EQ(ration.size(), 8u);
  EXPECT_EQ(ration[0], "Foderplan 1. december 2026");
  EXPECT_EQ(ration[1], "    9,000 kg  H\xF8 1. sl\xE6t");
  EXPECT_EQ(ration[4], "");
  EXPECT_EQ(ration[5], "Energi- og proteinforsyning:");
  EXPECT_EQ(ration[6], "  Energi 21,4 MCal (129%)");
  EXPECT_EQ(ration[7], "  R\xE5protein 877,5 g (139%)");
  h->Kategori = TDyreKategori::Drektig;
  h->Kjonn = TKjonn::Hunn;
  h->ParringsDato = EncodeDate(2026, 5, 3);
  lines.clear();
  r.Hestelinjer(lines);
  const std::string sex = CountrySettings::NameAt(settings_.sexNames, 1);
  EXPECT_EQ(lines[3], sex.substr(0, sex.find(',')) + " - Dr\xE6gtig hoppe");
  EXPECT_EQ(lines.back(), "Bed\xE6kningsdato 3. maj 2026");

  h->Kategori = TDyreKategori::Ungdyr;
  h->Fodselsdato = EncodeDate(2026, 4, 1);
  h->TreningsMengde = 0.101;
  lines.clear();
  r.Hestelinjer(lines);
  EXPECT_EQ(lines[4], "F\xF8" "dt 1. april 2026 (8. mdr, - 251 dage)");
  EXPECT_EQ(lines[5], "Ingen tr\xE6ning, g\xE5r p\xE5 fold");

  h->ForListe->Clear();
  ration.clear();
  r.Rasjonslinjer(ration);
  EXPECT_TRUE(ration.empty());
}

// ---- the meal page

TEST_F(HorseReportsTest, MealPageColumnsAndAmounts) {
  auto h = Blakken();
  h->HestNoMeals = 4;
  h->HFTider = {"0", "43200", "64800"};  // one time line short, the first without a time
  h->ForListe->FeedAt(1)->Fordeling = {"0.75", "x", "0,5"};
  Feed(*h, "Gr\xE6s", 0, 20, 0, {}, 20);
  h->ForListe->FeedAt(0)->Fornavn = std::string(40, 'H');
  HorseReports r(*h, HorseDir());
  const std::string page = r.LagMaltidside();
  EXPECT_TRUE(Has(page, "<th align=\"center\">#1</th>\n\r<th>1200</th>\n\r<th>1800</th>\n\r</tr>"));
  EXPECT_TRUE(Has(page, "<td class=\"For\">" + std::string(35, 'H') + "</td>"));
  EXPECT_TRUE(Has(page, "<td class=\"For\">Havre</td>\n\r<td >   0,8</td>\n\r<td >&nbsp;</td>\n\r<td >   0,5</td>\n\r"
                        "<td >&nbsp;</td>\n\r</tr>"));
  EXPECT_FALSE(Has(page, "Gr\xE6s"));  // grazing feeds are not fed at meals
  EXPECT_TRUE(Has(page, "<td colspan=5 class=\"Head18\">M\xE6ngder i kilo hvis ikke andet er angivet</td>"));
  EXPECT_EQ(h->ForListe->FeedAt(1)->Fordeling.size(), 4u);  // the missing line was added as "0"
  EXPECT_EQ(h->ForListe->FeedAt(1)->Fordeling[3], "0");
}

TEST_F(HorseReportsTest, AnAbsurdMealCountFromADamagedFileIsBounded) {
  auto h = Blakken();
  h->HestNoMeals = 2000000000;
  HorseReports r(*h, HorseDir());
  const std::string page = r.LagMaltidside();
  EXPECT_TRUE(Has(page, "<td colspan=101 class=\"Head18\">"));
  EXPECT_EQ(h->ForListe->FeedAt(0)->Fordeling.size(), 100u);
  h->HestNoMeals = -3;
  EXPECT_TRUE(Has(r.LagMaltidside(), "<td colspan=1 class=\"Head18\">"));
}

TEST_F(HorseReportsTest, StableMealsStartEmpty) {
  auto h = Blakken();
  StallMaltider(*h, 2, {"28800", "61200"});
  EXPECT_EQ(h->HestNoMeals, 2);
  EXPECT_EQ(h->HFTider, (StringList{"28800", "61200"}));
  for (const auto& f : h->ForListe->Feeds()) {
    EXPECT_EQ(f->Fordeling, (StringList{"0", "0"}));
    EXPECT_EQ(f->UndistributedKg(), f->TildeltKg);
  }
  EXPECT_EQ(FeedingTimeText("28800", "hhnn"), "0800");
  EXPECT_EQ(FeedingTimeText("61260", "hh:nn"), "17:01");
  EXPECT_EQ(FeedingTimeText("8:00", "hh:nn"), "");
  EXPECT_EQ(FeedingTimeText("90000", "hh:nn"), "");
}

// ---- graphics and weight pages

TEST_F(HorseReportsTest, GraphicsPageShowsTheChartOnlyWhenItWasWritten) {
  auto h = Blakken();
  FakePictureWriter pictures;
  HorseReports r(*h, HorseDir(), &pictures);
  const std::filesystem::path page = r.LagGrafikkside();
  ASSERT_FALSE(page.empty());
  ASSERT_EQ(pictures.calls.size(), 1u);
  EXPECT_EQ(pictures.calls[0].width, kBalanceChartWidth);
  EXPECT_EQ(pictures.calls[0].height, kBalanceChartHeight);
  EXPECT_EQ(pictures.calls[0].path, HorseDir() / "Blakken_RationGraphics.jpg");
  EXPECT_GT(pictures.calls[0].ops, 24u);
  EXPECT_TRUE(Has(ReadBytes(page), "<img src=\"" + PathText(HorseDir()) + "/Blakken_RationGraphics.jpg\">"));

  pictures.fail = true;
  EXPECT_FALSE(Has(r.Grafikkside(), "<img"));
  pictures.fail = false;
  h->ForListe->Clear();
  EXPECT_FALSE(Has(r.Grafikkside(), "<img"));
  EXPECT_EQ(pictures.calls.size(), 2u);  // no chart for an empty ration
}

TEST_F(HorseReportsTest, WeightPageShowsTheWeightChartWhenItExists) {
  auto h = Blakken();
  HorseReports r(*h, HorseDir());
  std::string error;
  EXPECT_TRUE(r.LagVektside(&error).empty());
  EXPECT_TRUE(error.empty());
  const std::filesystem::path file = r.Filnavn(kWeightReport);
  EXPECT_FALSE(Has(ReadBytes(file), "<img"));
  const std::filesystem::path chart = HorseDir() / PathFromText("Blakken_V\xE6gtdata.jpg");
  std::ofstream(chart) << "JPEG";
  EXPECT_EQ(r.LagVektside(&error), chart);
  const std::string page = ReadBytes(file);
  EXPECT_TRUE(Has(page, "<br><br>\n\r <img src=\"Blakken_V\xE6gtdata.jpg\" > </body></html>\n\r"));
}

// ---- the requirement page

TEST_F(HorseReportsTest, RequirementPageSplitsTheNutrientsInTwoTables) {
  auto h = Blakken();
  HorseReports r(*h, HorseDir());
  const std::string page = r.LagBehovside();
  const size_t right = page.find("<table table align=\"right\"");
  ASSERT_NE(right, std::string::npos);
  for (int i = 0; i < kNutrientCount; ++i) {
    const std::string cell = "<tr bgcolor=\"#FFFFFF\"><td>" + EscapeNationalLetters(settings_.NutrientName(i)) + "</td>";
    const size_t at = page.find(cell);
    if (i == 6) {
      EXPECT_EQ(at, std::string::npos);
      continue;
    }
    ASSERT_NE(at, std::string::npos) << i;
    EXPECT_EQ(at < right, i <= 12) << i;
  }
  for (unsigned char c : page) EXPECT_LT(c, 0x80) << "national letters are entities";
}

// ---- the nutrient advice file

TEST(NutrientAdvice, ReadsASectionByTheFeedingPlansRule) {
  const std::string file =
      "BTEXT.MORENUTR\r\nVand\r\nSalt\r\nETEXT.MORENUTR\r\n\r\n-Jern\r\n#Linje et\r\nfortsat\r\n#\r\n#Linje to\r\n\r\n"
      "tabt\r\n+Jern\r\n#For meget\r\n-Zink\r\n#Zink 1";
  EXPECT_EQ(NutrientAdvice(file, "-Jern"), " Linje et fortsat Linje to");
  EXPECT_EQ(NutrientAdvice(file, "+Jern"), " For meget");
  EXPECT_EQ(NutrientAdvice(file, "-Zink"), " Zink 1");
  EXPECT_EQ(NutrientAdvice(file, "-Kobber"), "");
  EXPECT_EQ(NutrientAdvice(file, ""), "");
  EXPECT_EQ(MoreNutrientsLines(file), (std::vector<std::string>{"Vand", "Salt"}));

  const auto paragraphs = AdviceParagraphs(file, "-Jern");
  EXPECT_EQ(paragraphs, (std::vector<std::string>{"Linje et fortsat", "", "Linje to  tabt"}));
  EXPECT_TRUE(AdviceParagraphs(file, "Jern").empty());
  const std::string longText = "-Selen\n#" + std::string(300, 'x') + "\ny\n";
  const auto cut = AdviceParagraphs(longText, "-Selen");
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].size(), 255u);
}

TEST(NutrientAdvice, TheInstalledFileAdvisesOnEveryNutrientBothWays) {
  const std::string file = ReadBytes(std::filesystem::path(STALLORA_DATA_DIR) / "Resources" / "fpinf45.txt");
  ASSERT_FALSE(file.empty());
  for (size_t i = 0; i < file.size(); ++i) {
    if (file[i] != '\n') continue;
    ASSERT_TRUE(i > 0 && file[i - 1] == '\r') << "line end at " << i;
  }
  CountrySettingsResult r = LoadCountrySettings(STALLORA_DATA_DIR, "dan.ini", "DAN");
  ASSERT_TRUE(r.settings);
  std::vector<std::string> names;
  for (int i = 0; i < kNutrientCount; ++i) names.push_back(r.settings->NutrientName(i));
  for (const std::string& protein : r.settings->proteinTypeNames) names.push_back(protein);
  std::vector<std::string_view> lines;
  for (size_t pos = 0; pos < file.size();) {
    const size_t end = file.find("\r\n", pos);
    lines.push_back(std::string_view(file).substr(pos, end - pos));
    pos = end + 2;
  }
  for (const std::string& name : names) {
    for (const char* sign : {"-", "+"}) {
      const std::string key = sign + name;
      // The first line that contains the key is the section's own first line.
      const auto first = std::find_if(lines.begin(), lines.end(),
                                      [&](std::string_view l) { return l.find(key) != std::string_view::npos; });
      ASSERT_NE(first, lines.end()) << Cp1252ToUtf8(key);
      EXPECT_EQ(*first, key);
      EXPECT_GT(NutrientAdvice(file, key).size(), 30u) << Cp1252ToUtf8(key);
      const auto paragraphs = AdviceParagraphs(file, key);
      ASSERT_FALSE(paragraphs.empty()) << Cp1252ToUtf8(key);
      for (const std::string& p : paragraphs) EXPECT_LT(p.size(), 255u) << Cp1252ToUtf8(p);
    }
  }
  EXPECT_GE(MoreNutrientsLines(file).size(), 3u);
  for (unsigned char c : file) EXPECT_TRUE(c >= 0x20 || c == '\r' || c == '\n');
}

}  // namespace
}  // namespace stallora
