#pragma once
// stallora-cli: the library from the shell. Kept apart from main() so tests can run it.

#include <iosfwd>
#include <string>
#include <vector>

namespace stallora::cli {

// Runs one command line (without the program name). Returns the exit status: 0 success,
// 1 failure (message on `err`), 2 wrong usage. `processEnds` says the process ends after
// the command (the tool's main): a workspace read is then left to the system, not freed.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool processEnds = false);

// Whether the command line needs the tool's Qt part (QtParts in cli_support.h): a report
// printed to PDF, the graphics report with its chart pictures, the update command.
bool NeedsQtParts(const std::vector<std::string>& args);
// Whether this program has the Qt part linked in.
bool HasQtParts();

}  // namespace stallora::cli
