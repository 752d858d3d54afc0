#pragma once
// What most window tests start from: a program directory of their own with the country
// settings and the resources the start sequence reads, and a disk that fills up.

#include <unistd.h>

#include <QtGlobal>
#include <filesystem>
#include <memory>
#include <string>

#include "core/daynum.h"
#include "core/disk_faults.h"
#include "core/seams.h"
#include "stable/workspace.h"

namespace stallora::testing {

// A new, empty program directory below the temporary directory (any old one of the same name
// is removed first), with dan.ini and the energy/protein list, the treatment register and the
// requirement list copied from the project's data. The process id keeps parallel runs apart.
inline std::filesystem::path FreshProgramDirectory(const std::string& prefix, const char* name) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / (prefix + std::to_string(::getpid()) + "-" + name);
  fs::remove_all(dir);
  fs::create_directories(dir / "Resources");
  const fs::path data = STALLORA_DATA_DIR;
  fs::copy_file(data / "dan.ini", dir / "dan.ini");
  for (const char* f : {"EPListe.eqe", "treatmentregister45.txt", "behovsliste.txt"})
    fs::copy_file(data / "Resources" / f, dir / "Resources" / f);
  return dir;
}

// The program started on a fresh program directory (FreshProgramDirectory) on 9 December
// 2026, with the start's messages recorded: what a window test's set-up builds on. A test
// stops at once when the start fails.
struct StartedProgram {
  StartedProgram(const std::string& prefix, const char* name) : dir(FreshProgramDirectory(prefix, name)) {
    StartResult r = StartProgram(dir, clock, Regional{}, startMessages, ScreenSize{1400, 900});
    if (!r.context) qFatal("start failed: %s", r.fatalMessage.c_str());
    app = std::move(r.context);
  }

  std::filesystem::path dir;
  FixedClock clock{static_cast<DayNumber>(EncodeDate(2026, 12, 9))};
  RecordingMessages startMessages;
  std::unique_ptr<AppContext> app;
};

// A disk that takes no more than 64 bytes per file while it lives: a save that fails even
// for root, who writes into read-only directories.
class FullDisk : public ScopedFileSizeLimit {
 public:
  FullDisk() : ScopedFileSizeLimit(64) {}
};

}  // namespace stallora::testing
