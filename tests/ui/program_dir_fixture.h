#pragma once
// What most window tests start from: a program directory of their own with the country
// settings and the resources the start sequence reads, and a disk that fills up.

#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/disk_faults.h"

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

// A disk that takes no more than 64 bytes per file while it lives: a save that fails even
// for root, who writes into read-only directories.
class FullDisk : public ScopedFileSizeLimit {
 public:
  FullDisk() : ScopedFileSizeLimit(64) {}
};

}  // namespace stallora::testing
