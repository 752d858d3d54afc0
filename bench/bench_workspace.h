#pragma once
// What the workspace benchmarks generate alike: a program directory with the shipped data the
// start needs, the program started on it, and stables of horses with random feeds, weighings
// and treatments (the same seed gives the same workspace in every benchmark, so their figures
// compare).

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "stable/workspace.h"

#ifndef STALLORA_DATA_DIR
#error "the benchmarks are built with STALLORA_DATA_DIR"
#endif

namespace stallora::bench {

namespace fs = std::filesystem;

inline const fs::path kData = STALLORA_DATA_DIR;

inline fs::path MakeProgramDir(const std::string& name) {
  const fs::path dir = fs::temp_directory_path() / name;
  fs::remove_all(dir);
  fs::create_directories(dir / "Resources");
  fs::copy_file(kData / "dan.ini", dir / "dan.ini");
  for (const char* f : {"EPListe.eqe", "treatmentregister45.txt", "behovsliste.txt"})
    fs::copy_file(kData / "Resources" / f, dir / "Resources" / f);
  return dir;
}

inline void FillHorse(THest& h, const RecordEnvironment& env, std::mt19937& rng, int feeds, int weighings,
                      int treatments) {
  h.Kategori = static_cast<TDyreKategori>(rng() % 6);
  h.ForventetVoksenvekt = 450 + rng() % 200;
  h.Fodselsdato = env.Today() - 300 - rng() % 3000;
  h.TreningsMengde = (rng() % 100) / 100.0;
  h.ParringsDato = env.Today() - rng() % 300;
  h.PartusDato = env.Today() - rng() % 300;
  for (int w = 0; w < weighings; ++w) h.VektListe->LeggTil(400 + rng() % 200, env.Today() - 7.0 * (weighings - w));
  for (int f = 0; f < feeds; ++f) {
    TFor& feed = h.ForListe->AddFeed(std::make_unique<TFor>(env));
    feed.Fornavn = "Foder " + std::to_string(f);
    feed.Fortype = static_cast<uint8_t>(rng() % 12);
    feed.Valgt = true;
    feed.TildeltKg = (rng() % 80) / 10.0;
    feed.Pris = (rng() % 500) / 100.0;
    for (int n = 0; n < 24; ++n) feed.SetValue(n, (rng() % 10000) / 100.0);
  }
  for (int t = 0; t < treatments; ++t) {
    TTreatmentObj& tr = h.TreatmentListe->AddNew();
    tr.TreatmentType = static_cast<TTreatmentType>(rng() % 6);
    tr.TreatmentName = "Behandling " + std::to_string(t);
    tr.PlannedDate = env.Today() - 400 + rng() % 500;
  }
}

// A program started on its own directory below the temporary directory, on a fixed day.
struct Program {
  explicit Program(const std::string& name) : dir(MakeProgramDir(name)) {
    StartResult r = StartProgram(dir, clock, Regional{}, messages);
    app = std::move(r.context);
  }
  // Reads what has been written below the save directory.
  Workspace& Scan() {
    workspace = std::make_unique<Workspace>(*app);
    workspace->Scan();
    return *workspace;
  }

  fs::path dir;
  FixedClock clock{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  RecordingMessages messages;
  std::unique_ptr<AppContext> app;
  std::unique_ptr<Workspace> workspace;
};

// Writes a stable "name" of `horses` horses "Hest 0" ... each with an 8-feed ration,
// 20 weighings and 6 treatments.
inline void WriteStable(const AppContext& app, const std::string& name, int horses, std::mt19937& rng) {
  TStall stable(app.Env());
  stable.stallNavn = name;
  stable.NameFeedList();
  stable.Save();
  for (int h = 0; h < horses; ++h) {
    THest& horse = stable.AddHorse(std::make_unique<THest>(app.Env()));
    horse.Navn = "Hest " + std::to_string(h);
    FillHorse(horse, app.Env(), rng, 8, 20, 6);
  }
  stable.SaveAllHorses();
}

}  // namespace stallora::bench
