// The update command; the online service's transport is in the tool's Qt part
// (cli_qt_update.cpp), which stallora-cli hands the command to.

#include "app/cli_commands.h"

namespace stallora::cli {

int CmdUpdate(Env& env, const std::vector<std::string>& args) {
  if (const auto update = QtPartHooks().update) return update(env, args);
  return Fail(env, "This build of stallora-cli has no network support");
}

}  // namespace stallora::cli
