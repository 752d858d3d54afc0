#pragma once
// Where the program directory P is. A build tree, or a folder the program was copied into,
// holds the executables beside their data and is P itself. An installed program (executables
// in <prefix>/bin, data in <prefix>/share/stallora) cannot write beside its data, so each user
// gets a program directory of their own in the user's data directory, filled from the
// installed data on the first start and brought up to date after the package was upgraded.

#include <filesystem>
#include <optional>
#include <string>

#include "core/texts.h"

namespace stallora {

inline constexpr Text kProgramDirectoryFailed{"start.programdir", "Programmappen kan ikke bruges"};

// The name below <prefix>/share and below the user's data directory.
inline constexpr std::string_view kInstalledDataName = "stallora";
// Kept in a user's program directory: what was copied from the installed data, so that an
// upgrade replaces the files the user left alone and keeps those the user changed.
inline constexpr std::string_view kInstalledManifestName = ".stallora-installed";

struct ProgramPlace {
  std::filesystem::path programDir;     // P
  std::filesystem::path installedData;  // the read-only data P is made from; empty when P is self-contained
  bool Installed() const { return !installedData.empty(); }
};

// The directory of the running executable (the working directory when it cannot be told).
std::filesystem::path ExecutableDirectory();

// The user's program directory: $XDG_DATA_HOME/stallora when XDG_DATA_HOME is an absolute
// path, else $HOME/.local/share/stallora; empty when neither can be used. Null means unset.
std::filesystem::path UserProgramDirectory(const char* xdgDataHome, const char* home);
// The same from the process environment.
std::filesystem::path UserProgramDirectory();

// Whether `dir` holds the settings file (dan.ini, in any letter case).
bool HoldsProgramData(const std::filesystem::path& dir);

// P for an executable in `exeDir`: exeDir itself when it holds the settings file (so a build
// tree runs as it always did); the user's directory `userDir` when the settings are not beside
// the executable but in exeDir/../share/stallora (an installed program); else exeDir, where the
// start then reports the missing settings file.
ProgramPlace LocateProgramDirectory(const std::filesystem::path& exeDir, const std::filesystem::path& userDir);

// For an installed program: creates P when it is missing and copies into it every installed
// file it lacks, every installed file the package has changed and the user has not, and the
// demo workspace (installedData/Save) when P has neither a Save nor preferences yet (a program
// directory that was never used). Never writes below
// installedData. Nothing happens for a self-contained P. Returns the message when P cannot be
// made usable (it names the directory or file).
std::optional<std::string> PrepareProgramDirectory(const ProgramPlace& place);

}  // namespace stallora
