#pragma once
// The report files saved in the horses' directories of a stable (every "*.htm" beside a
// horse's file), listed for the stable window and deleted from there. Only what lies in a
// horse directory of the stable's own directory is ever listed or deleted.

#include <filesystem>
#include <string>
#include <vector>

#include "stable/stall.h"

namespace stallora {

struct SavedHorseReports {
  std::string horse;               // the directory's name (Windows-1252)
  std::vector<std::string> files;  // the report files' names, sorted
};

struct SavedReports {
  // The stable's own file is in its directory: without it nothing is listed.
  bool stableFile = false;
  // The horse directories holding their own horse file, by name, hidden ones and names
  // containing ".eqh" left out.
  std::vector<SavedHorseReports> horses;
  bool Any() const;
};

SavedReports ListSavedReports(const TStall& stable);

// The path of a listed report file: S\stable\horse\file.
std::filesystem::path SavedReportPath(const TStall& stable, const std::string& horse, const std::string& file);

// Deletes report files: every listed one (`horse` empty), every one of a horse (`file`
// empty) or that one file. Only listed files are deleted: a name that is no report of a
// horse directory of the stable, and a file gone already, are passed over. False with the
// files that could not be deleted (one line each, with the reason).
bool DeleteSavedReports(const TStall& stable, const std::string& horse, const std::string& file,
                        std::string* error = nullptr);

}  // namespace stallora
