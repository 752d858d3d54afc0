#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "app/cli.h"
#include "config/program_directory.h"

namespace {

// A command that needs Qt is run by stallora-cli-qt, the same tool linked with its Qt part,
// which lies beside this one (a build tree, a copied folder) or in <prefix>/lib/stallora (an
// installed program). It replaces this process, so output and exit status are its own.
// Returns only when there is no such program; the command then says what this one lacks.
void HandToQtHelper(char** argv) {
  const std::filesystem::path dir = stallora::ExecutableDirectory();
  for (const std::filesystem::path& helper :
       {dir / "stallora-cli-qt", dir.parent_path() / "lib" / "stallora" / "stallora-cli-qt"}) {
    if (::access(helper.c_str(), X_OK) != 0) continue;
    argv[0] = const_cast<char*>(helper.c_str());
    ::execv(helper.c_str(), argv);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!stallora::cli::HasQtParts() && stallora::cli::NeedsQtParts(args)) HandToQtHelper(argv);
  return stallora::cli::Run(args, std::cout, std::cerr, true);
}
