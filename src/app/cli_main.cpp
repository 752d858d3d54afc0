#include <iostream>

#include "app/cli.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  return stallora::cli::Run(args, std::cout, std::cerr);
}
