#pragma once
// stallora-cli: the library from the shell. Kept apart from main() so tests can run it.

#include <iosfwd>
#include <string>
#include <vector>

namespace stallora::cli {

// Runs one command line (without the program name). Returns the exit status: 0 success,
// 1 failure (message on `err`), 2 wrong usage.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace stallora::cli
