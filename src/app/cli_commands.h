#pragma once
// Commands defined outside cli.cpp, one file per module (cli_<module>.cpp). Each is listed in
// the command table of cli.cpp and described in its usage text.

#include <string>
#include <vector>

#include "app/cli_support.h"

namespace stallora::cli {

// cli_horse.cpp
int CmdEval(Env& env, const std::vector<std::string>& args);
int CmdRequirements(Env& env, const std::vector<std::string>& args);
int CmdEvaluate(Env& env, const std::vector<std::string>& args);
int CmdScan(Env& env, const std::vector<std::string>& args);
int CmdHorse(Env& env, const std::vector<std::string>& args);
int CmdFormulas(Env& env, const std::vector<std::string>& args);
int CmdNewStable(Env& env, const std::vector<std::string>& args);
int CmdBackup(Env& env, const std::vector<std::string>& args);
int CmdClean(Env& env, const std::vector<std::string>& args);
int CmdDemo(Env& env, const std::vector<std::string>& args);

// cli_edit.cpp: properties of a horse file set from the shell, saved under the check.
int CmdSet(Env& env, const std::vector<std::string>& args);

// cli_feeds.cpp: a feed list text file as object text; a feed list in another energy system.
int CmdImport(Env& env, const std::vector<std::string>& args);
int CmdConvert(Env& env, const std::vector<std::string>& args);

// cli_reports.cpp: horse and stable reports as HTML files, and printed to PDF.
int CmdReport(Env& env, const std::vector<std::string>& args);

// cli_optimize.cpp: the ration balancer.
int CmdOptimize(Env& env, const std::vector<std::string>& args);

// cli_update.cpp
int CmdUpdate(Env& env, const std::vector<std::string>& args);

}  // namespace stallora::cli
