// Changing a horse file from the shell, under the same check as every save of the program:
// a file another program changed since this one read it is never replaced.

#include <fmt/format.h>

#include <iostream>

#include "app/cli_commands.h"
#include "core/cp1252.h"
#include "core/objtext.h"
#include "core/objtext_parser.h"
#include "core/textutil.h"

namespace stallora::cli {
namespace {

namespace fs = std::filesystem;

// "<size>:<hash>": what a file held, for scripts that compare versions.
std::string StampText(const FileStamp& s) { return fmt::format("{}:{:016x}", s.size, s.hash); }

}  // namespace

int CmdSet(Env& env, const std::vector<std::string>& args) {
  if (args.size() < 2)
    return Usage(env.err, "set needs HORSE and NAME=VALUE ... (or - to read them from standard input)");
  const bool fromInput = args.size() == 2 && args[1] == "-";
  std::vector<std::string> assignments(args.begin() + 1, args.end());
  for (const std::string& a : assignments) {
    if (fromInput) break;
    const size_t eq = a.find('=');
    if (eq == std::string::npos || eq == 0) return Usage(env.err, "set needs NAME=VALUE, not " + a);
  }
  auto s = Open(env);
  if (!s || !LoadHorse(env, *s, args[0])) return 1;
  THest& h = *s->horse;
  const fs::path file = s->stable ? s->stable->HorseFilePath(h) : fs::absolute(fs::path(args[0]));
  // Said at once, so that a script knows the horse has been read before it gives the values.
  env.out << "read\t" << file.string() << "\t" << StampText(h.fileStamp) << std::endl;
  if (fromInput) {
    assignments.clear();
    for (std::string line; std::getline(std::cin, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!Trim(line).empty()) assignments.push_back(line);
    }
  }
  std::string text = "object THest\r\n";
  for (const std::string& a : assignments) {
    const size_t eq = a.find('=');
    if (eq == std::string::npos || eq == 0) return Usage(env.err, "set needs NAME=VALUE, not " + a);
    // The directory names a horse of a workspace; a new name would make a second horse.
    if (SameText(Trim(a.substr(0, eq)), "Navn")) return Fail(env, "set does not rename a horse (Navn)");
    text += "  " + Trim(a.substr(0, eq)) + " = " + Utf8ToCp1252(Trim(a.substr(eq + 1))) + "\r\n";
  }
  text += "end\r\n";
  try {
    ObjBlock block = ParseObjectText(text);
    AssignRecordBlock(block, h, ClassRegistry::Global(), &s->app->Env());
  } catch (const ObjTextError& e) {
    return Fail(env, e.what());
  }
  std::string error;
  if (s->stable) {
    if (!s->stable->SaveHorse(h, &error)) return Fail(env, error);
  } else {
    try {
      h.writeToFile(file);
    } catch (const ObjTextError& e) {
      return Fail(env, e.what());
    }
  }
  env.out << "saved\t" << file.string() << "\t" << StampText(h.fileStamp) << "\n";
  return 0;
}

}  // namespace stallora::cli
