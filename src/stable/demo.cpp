#include "stable/demo.h"

#include "core/cp1252.h"
#include "ration/ration_amounts.h"

namespace stallora {
namespace {

struct Ration {
  const char* feed;  // UTF-8 in the source
  double kg;
};

struct Weighing {
  int daysAgo;
  double kg;
};

class Builder {
 public:
  Builder(Workspace& ws, const TForListe& feeds) : ws_(ws), feeds_(feeds), env_(ws.App().Env()) {}

  TStall& Stable(const char* name, bool model, const char* owner) {
    auto s = std::make_unique<TStall>(env_);
    s->stallNavn = Utf8ToCp1252(name);
    s->ErModellHestStall = model;
    s->StallEier = Utf8ToCp1252(owner);
    s->NameFeedList();
    return ws_.AddStable(std::move(s));
  }

  THest& Horse(TStall& stable, const char* name, const char* breed, TKjonn sex, TBlodsType blood,
               TDyreKategori category, int ageDays, std::initializer_list<Weighing> weighings,
               std::initializer_list<Ration> ration) {
    THest& h = stable.AddHorse(std::make_unique<THest>(env_));
    const DayNumber today = env_.Today();
    h.Navn = Utf8ToCp1252(name);
    h.RaseNavn = Utf8ToCp1252(breed);
    h.EierNavn = stable.StallEier;
    h.Kjonn = sex;
    h.BlodsType = blood;
    h.Kategori = category;
    h.Fodselsdato = today - ageDays;
    h.InnPaStall = today;
    h.UtFraStall = today;
    h.HestNoMeals = stable.StallNoMeals;
    h.HFTider = stable.SFTider;
    for (const Weighing& w : weighings) h.VektListe->LeggTil(w.kg, today - w.daysAgo);
    for (const Ration& r : ration) {
      const std::string name = Utf8ToCp1252(r.feed);
      const TFor* source = feeds_.FeedByName(name);
      if (!source) {
        missing_.push_back(name);
        continue;
      }
      TFor& f = h.ForListe->AddFeedFrom(source->Clone(), &feeds_);
      f.Valgt = true;
      f.TildeltKg = r.kg;
      // The stable's list holds what its horses eat, or opening the horse asks to take
      // the feed into it.
      if (!stable.ForListe->FeedByName(name)) stable.ForListe->AddFeedFrom(source->Clone(), &feeds_).Valgt = false;
    }
    // Each day's amount split evenly over the stable's feeding times.
    const char sep = env_.regional.decimalSeparator;
    PrepareMealSheet(h, stable.StallNoMeals, stable.SFTider, sep);
    for (const auto& f : h.ForListe->Feeds()) DistributeEvenly(*f, h.HestNoMeals, sep);
    return h;
  }

  TTreatmentObj& Treatment(THest& h, TTreatmentType type, const char* name, int plannedIn, int doneAgo,
                           int banDays = 0, double cost = 0, const char* notes = "") {
    TTreatmentObj& t = h.TreatmentListe->AddNew();
    const DayNumber today = env_.Today();
    t.TreatmentType = type;
    t.TreatmentName = Utf8ToCp1252(name);
    t.PlannedDate = today + plannedIn;
    t.DoneDate = doneAgo >= 0 ? today - doneAgo : today + kNotDoneDays;
    t.OKToStartDate = doneAgo >= 0 ? today - doneAgo + banDays : today;
    t.Cost = cost;
    t.Notes = Utf8ToCp1252(notes);
    return t;
  }

  std::vector<std::string> missing_;

 private:
  Workspace& ws_;
  const TForListe& feeds_;
  const RecordEnvironment& env_;
};

}  // namespace

std::vector<std::string> BuildDemoWorkspace(Workspace& ws, const TForListe& feeds) {
  Builder b(ws, feeds);
  using K = TDyreKategori;
  using S = TKjonn;
  using B = TBlodsType;

  TStall& model = b.Stable("Modelhest-Stald", true, "");
  {
    THest& foal = b.Horse(model, "Solsikke", "Dansk Varmblod", S::Hunn, B::WarmBlood, K::Ungdyr, 120,
                          {{120, 57}, {60, 130}, {0, 185}},
                          {{"Hø, tidligt slæt, god kvalitet", 2.5}, {"Havre, valset", 1.0},
                           {"Sojaskrå, afskallet", 0.2}, {"Mineralfoder til hest, staldperiode", 0.05}});
    foal.ForventetVoksenvekt = 600;
    foal.Fodselsvekt = 600 * 0.097;
    THest& yearling = b.Horse(model, "Storm", "Svensk Varmblod", S::Hann, B::WarmBlood, K::Ungdyr, 540,
                              {{90, 380}, {0, 430}},
                              {{"Wrap, 70 % TS", 7}, {"Havre", 2.0}, {"Rapskage", 0.3},
                               {"Mineralfoder til hest, staldperiode", 0.08}, {"Fodersalt (NaCl)", 0.02}});
    yearling.ForventetVoksenvekt = 600;
    yearling.UngDyrTrening = TUngDyrTrening::YoungSlightTraining;
    THest& bella = b.Horse(model, "Bella", "Frederiksborg", S::Hunn, B::WarmBlood, K::Vedlikehold, 12 * 365,
                           {{30, 548}, {0, 550}},
                           {{"Hø, middel kvalitet", 9}, {"Byghalm", 1.5},
                            {"Mineralfoder til hest, staldperiode", 0.1}, {"Saltsten med jod", 0.03}});
    bella.brystmal = 188;
    THest& comet = b.Horse(model, "Comet", "Hannoveraner", S::Kastrert, B::WarmBlood, K::Trening, 9 * 365,
                           {{0, 620}},
                           {{"Wrap, 70 % TS", 11}, {"Havre", 2.5}, {"Hørfrøkage", 0.3},
                            {"Mineralfoder til hest, staldperiode", 0.1}, {"Fodersalt (NaCl)", 0.04}});
    comet.TreningsMengde = 0.5;
    comet.AvledIntensitet();
    b.Treatment(comet, TTreatmentType::Vacc, "Influenza og stivkrampe", -3, 3, 7, 420,
                "Ingen start de første 7 dage efter vaccination");  // a current ban
    THest& tornado = b.Horse(model, "Tornado", "Engelsk fuldblod", S::Hann, B::FullBlood, K::Trening, 4 * 365,
                             {{0, 510}},
                             {{"Hø, tidligt slæt, god kvalitet", 7}, {"Havre", 4.0}, {"Majsflager", 1.0},
                              {"Rapsolie", 0.15}, {"Elektrolyttilskud", 0.06},
                              {"Mineralfoder til hest, staldperiode", 0.12}});
    tornado.TreningsMengde = 1.0;
    tornado.AvledIntensitet();
    THest& freja = b.Horse(model, "Freja", "Oldenborg", S::Hunn, B::WarmBlood, K::Drektig, 10 * 365,
                           {{0, 600}},
                           {{"Hø, middel kvalitet", 10}, {"Lucernepiller", 1.0}, {"Havre", 1.0},
                            {"Mineralfoder til hest, staldperiode", 0.12}});
    freja.ParringsDato = IncMonth(ws.App().Env().Today(), -8) + 5;
    b.Treatment(freja, TTreatmentType::Vet, "Drægtighedsundersøgelse", -200, 200, 0, 650);
    b.Treatment(freja, TTreatmentType::Vacc, "Herpes (EHV-1/4)", 10, -1, 0, 380);
    THest& lotte = b.Horse(model, "Lotte", "Holstener", S::Hunn, B::WarmBlood, K::Lakterende, 11 * 365,
                           {{0, 610}},
                           {{"Wrap, tidligt slæt, 60 % TS", 14}, {"Havre", 3.0}, {"Sojaskrå, afskallet", 0.5},
                            {"Rapsolie", 0.1}, {"Mineralfoder til hest, staldperiode", 0.15}});
    lotte.PartusDato = IncMonth(ws.App().Env().Today(), -1) - 10;
    THest& kasimir = b.Horse(model, "Kasimir", "Trakehner", S::Hann, B::WarmBlood, K::Avlsdyr, 14 * 365,
                             {{0, 640}},
                             {{"Hø, middel kvalitet", 10}, {"Havre", 2.0}, {"Hørfrø, hele", 0.1},
                              {"Mineralfoder til hest, staldperiode", 0.1}});
    (void)kasimir;
    for (THest* h : {&bella, &comet, &tornado}) {
      b.Treatment(*h, TTreatmentType::Worm, "Gødningsprøve", 5, -1, 0, 150);
      b.Treatment(*h, TTreatmentType::Shoe, "Skoning, fire sko", -20, 20, 0, 900);
    }
  }

  TStall& club = b.Stable("Egebjerg", false, "Ida Hansen");
  {
    b.Horse(club, "Sleipnir", "Islandsk hest", S::Kastrert, B::ColdBlood, K::Vedlikehold, 16 * 365, {{0, 370}},
            {{"Hø, sent slæt, groft", 6.5}, {"Mineralfoder til hest, staldperiode", 0.05},
             {"Saltsten med jod", 0.02}});
    THest& fjord = b.Horse(club, "Birk", "Fjordhest", S::Kastrert, B::ColdBlood, K::Trening, 9 * 365, {{0, 470}},
                           {{"Hø, middel kvalitet", 8}, {"Havre", 0.8}, {"Mineralfoder til hest, staldperiode", 0.07}});
    fjord.TreningsMengde = 0.2;
    fjord.AvledIntensitet();
    THest& dv = b.Horse(club, "Nova", "Dansk Varmblod", S::Hunn, B::WarmBlood, K::Trening, 8 * 365, {{0, 590}},
                        {{"Wrap, 70 % TS", 10}, {"Havre, valset", 2.5}, {"Roesnitter, umelasserede", 0.5},
                         {"Mineralfoder til hest, staldperiode", 0.1}, {"Fodersalt (NaCl)", 0.03}});
    dv.TreningsMengde = 0.35;
    dv.AvledIntensitet();
    THest& pony = b.Horse(club, "Pjevs", "Shetlandspony", S::Kastrert, B::ColdBlood, K::Vedlikehold, 20 * 365,
                          {{0, 190}}, {{"Hø, sent slæt, groft", 3.2}, {"Byghalm", 0.8},
                                       {"Mineralfoder til hest, græsningssæson", 0.03}});
    pony.TimerBeiting = 4;
    b.Treatment(pony, TTreatmentType::Own, "Tandraspning", 30, -1, 0, 600);
  }

  for (const auto& s : ws.Stables()) {
    s->Save();
    for (const auto& h : s->Horses()) {
      h->AfterLoad();
      s->SaveHorse(*h);
    }
  }
  TAdrRec owner;
  owner.Navn = Utf8ToCp1252("Ida Hansen");
  owner.Adresse1 = Utf8ToCp1252("Egebjergvej 12");
  owner.Adresse2 = Utf8ToCp1252("4600 Køge");
  owner.Adresse3 = "Danmark";
  owner.Mobiltelefon = "20 30 40 50";
  owner.Email = "ida@egebjerg.example.dk";
  owner.Kategori = 1;
  int index = -1;
  if (!ws.App().contacts.DuplicateExists(owner, index)) ws.App().contacts.AddRecord(owner);
  return b.missing_;
}

}  // namespace stallora
