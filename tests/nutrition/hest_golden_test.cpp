// A horse with every property, extra property and child set, against a golden file that was
// checked by hand once: the writer prints it byte for byte, and the reader gives it back.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/fileio.h"
#include "core/objtext.h"
#include "nutrition/hest.h"

namespace stallora {
namespace {

const std::filesystem::path kGolden = std::filesystem::path(STALLORA_TEST_DATA) / "horse" / "full.eqh";

void Fill(THest& h, const RecordEnvironment& env) {
  const DayNumber today = env.Today();
  h.Navn = "Pr\xE6mie";
  h.Description = "Rolig og venlig";
  h.RaseNavn = "Dansk Varmblod";
  h.EierNavn = "Ida Hansen";
  h.KontaktPerson = "Ole";
  h.ArbeidsIntensitet = TArbeidsIntensitet::Moderat;
  h.Fodselsvekt = 58.2;
  h.Sistetilvekst = 0.45;
  h.ForventetVoksenvekt = 600;
  h.MatchVekt = 520;
  h.Fodselsdato = today - 3000;
  h.ParringsDato = today - 100;
  h.PartusDato = today - 400;
  h.VedlikeholdsTurbo = -0.1;
  h.TreningsMengde = 0.35;
  h.UngDyrTrening = TUngDyrTrening::YoungMediumTraining;
  h.Kjonn = TKjonn::Hunn;
  h.Kategori = TDyreKategori::Trening;
  h.OppdrettsHastighet = 1.2;
  h.HoldFaktor = 1.05;
  h.RegNr = "208333DW1234567";
  h.Father = "Blue Hors";
  h.Mother = "It's Ella";
  h.NesteOrmeKur = today + 30;
  h.NesteFotPleie = today + 42;
  h.NesteVaksinasjon = today + 180;
  h.StartForbud = today + 4;
  h.Bildefilnavn = "premie.jpg";
  h.Bilde.jpeg = std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\xFF\xD9", 14);
  h.brystmal = 186;
  h.stangmal = 168;
  h.BlodsType = TBlodsType::WarmBlood;
  h.ForPris = 25.5;
  h.AntallForingstider = 3;
  h.Beiteinntaksfaktor = 0.8;
  h.TimerBeiting = 6;
  h.InnPaStall = today - 20;
  h.UtFraStall = today + 365;
  h.OnsketVekstHastighet = TWeightGainRate::Fast;
  h.HFTider = {"25200", "43200", "64800"};
  h.HestNoMeals = 3;
  h.AvtegnMemo = "Stjerne og snip";
  h.KondisjonMemo = "God kondition";
  h.EierOpplysningerMemo = "Egebjergvej 12";
  h.VetMemo = "v";
  h.WormingMemo = "w";
  h.ShoeingMemo = "s";
  h.Vaccinations = {"01-03-2026 Influenza"};
  h.Worming = {"02-04-2026 Ivermectin"};
  h.Shoeing = {"03-05-2026 Fire sko"};
  h.VetTreatment = {"04-06-2026 Tandbehandling"};
  h.DiaryMemo = "{\\rtf1\\ansi {\\b Dagbog}\\par }";
  h.Treningsliste = {"Mandag: dressur", "Tirsdag: spring"};
  TFor& f = h.ForListe->AddFeed(std::make_unique<TFor>(env));
  f.Fornavn = "Havre";
  f.Valgt = true;
  f.TildeltKg = 2.5;
  f.Pris = 3.25;
  f.Fortype = 8;
  f.Fordeling = {"1,25", "0", "1,25"};
  for (int i = 0; i < 24; ++i) f.SetValue(i, i * 1.5);
  h.VektListe->LeggTil(560, today - 60);
  h.VektListe->LeggTil(572, today - 2);
  TTreatmentObj& t = h.TreatmentListe->AddNew();
  t.TreatmentType = TTreatmentType::Vacc;
  t.TreatmentName = "Influenza";
  t.DoneDate = today - 3;
  t.OKToStartDate = today + 4;
  t.Cost = 420;
  t.Notes = "Ingen start i 7 dage";
}

TEST(HestGolden, EveryPartWritesAsTheGoldenFileAndReadsBack) {
  RegisterFeedClasses();
  RegisterNutritionClasses();
  FixedClock clock(EncodeDate(2026, 12, 9));
  TEnergyProteinObj active;
  RecordEnvironment env(clock, Regional{}, 45, &active);
  THest h(env);
  Fill(h, env);
  const std::string text = RecordText(h);
  if (std::getenv("STALLORA_UPDATE_GOLDEN")) WriteFileAtomically(kGolden, text);
  const auto golden = ReadWholeFile(kGolden);
  ASSERT_TRUE(golden) << kGolden;
  EXPECT_EQ(text, *golden);
  THest back(env);
  ReadRecordText(*golden, back, ClassRegistry::Global(), &env);
  EXPECT_EQ(RecordText(back), *golden);
  EXPECT_EQ(back.Bilde, h.Bilde);
  EXPECT_EQ(back.Treningsliste, h.Treningsliste);
  EXPECT_EQ(back.ForListe->FeedAt(0)->Fordeling, h.ForListe->FeedAt(0)->Fordeling);
  EXPECT_EQ(back.TreatmentListe->Items(0)->Notes, "Ingen start i 7 dage");
  EXPECT_EQ(back.Fingerprint(), h.Fingerprint());
}

}  // namespace
}  // namespace stallora
