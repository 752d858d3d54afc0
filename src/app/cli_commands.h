#pragma once
// Commands defined outside cli.cpp, one file per module (cli_<module>.cpp). Each is listed in
// the command table of cli.cpp and described in its usage text.

#include <string>
#include <vector>

#include "app/cli_support.h"

namespace stallora::cli {

}  // namespace stallora::cli
