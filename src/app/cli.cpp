#include "app/cli.h"

#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>

#include "core/cp1252.h"
#include "core/daynum.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/seams.h"
#include "core/textutil.h"

namespace stallora::cli {
namespace {

constexpr const char* kUsage =
    "Usage: stallora-cli [OPTIONS] COMMAND [ARGS]\n"
    "\n"
    "Options (before the command):\n"
    "  --program-dir DIR      program directory with the installed data (default: beside the executable)\n"
    "  --save-dir DIR         workspace directory (default: the preferences' save directory, else DIR/Save)\n"
    "  --today YYYY-MM-DD     fix today's date for everything the command does\n"
    "  --date-format FMT      dd-mm-yyyy, dd.mm.yyyy, dd/mm/yyyy or yyyy-mm-dd (default dd-mm-yyyy)\n"
    "  --decimal SEP          decimal separator of displayed numbers, . or , (default ,)\n"
    "  --currency TEXT        currency symbol (default kr)\n"
    "  --energy SYSTEM:BASIS:UNIT:FACTOR:PROTEIN\n"
    "                         use exactly this energy/protein object, e.g. nrc2007:DE:MCal:1:CP\n"
    "  -h, --help             show this text\n"
    "\n"
    "Commands:\n"
    "  check FILE             read a record file; print OK or the reader's error\n"
    "  check --syntax FILE    only the grammar check, for object text of any class\n"
    "  format FILE            read a record file and write it back to standard output as saving would\n";

struct Options {
  std::optional<std::string> programDir;
  std::optional<std::string> saveDir;
  std::optional<DayNumber> today;
  std::optional<std::string> energy;
  Regional regional;
};

struct Env {
  Options options;
  std::ostream& out;
  std::ostream& err;
};

int Usage(std::ostream& err, const std::string& problem) {
  err << "stallora-cli: " << problem << "\n\n" << kUsage;
  return 2;
}

int Fail(Env& env, const std::string& cp1252Message) {
  env.err << Cp1252ToUtf8(cp1252Message) << "\n";
  return 1;
}

// The record a file's root header asks for. Root-only classes (not in the registry,
// because they never occur as children) are added here as they are built.
std::unique_ptr<Record> CreateRoot(std::string_view className) {
  if (const RecordClass* cls = GetClass(className)) return cls->Create();
  return nullptr;
}

// Reads a record file the way the program does; the record or an error message.
std::unique_ptr<Record> ReadRecordFile(Env& env, const std::string& file, std::string& error) {
  std::optional<std::string> text = ReadWholeFile(file);
  if (!text) {
    error = "Cannot open file " + Utf8ToCp1252(file);
    return nullptr;
  }
  try {
    ObjBlock block = ParseObjectText(*text);
    std::unique_ptr<Record> record = CreateRoot(block.className);
    if (!record) {
      error = "Class " + block.className + " not found";
      return nullptr;
    }
    AssignRecordBlock(block, *record);
    return record;
  } catch (const ObjTextError& e) {
    error = e.what();
    return nullptr;
  }
}

int CmdCheck(Env& env, const std::vector<std::string>& args) {
  if (args.size() == 2 && args[0] == "--syntax") {
    std::optional<std::string> text = ReadWholeFile(args[1]);
    if (!text) return Fail(env, "Cannot open file " + Utf8ToCp1252(args[1]));
    try {
      CheckObjectTextSyntax(*text);
    } catch (const ObjTextError& e) {
      return Fail(env, e.what());
    }
    env.out << "OK\n";
    return 0;
  }
  if (args.size() != 1) return Usage(env.err, "check needs one FILE (or --syntax FILE)");
  std::string error;
  if (!ReadRecordFile(env, args[0], error)) return Fail(env, error);
  env.out << "OK\n";
  return 0;
}

int CmdFormat(Env& env, const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage(env.err, "format needs one FILE");
  std::string error;
  std::unique_ptr<Record> record = ReadRecordFile(env, args[0], error);
  if (!record) return Fail(env, error);
  try {
    const std::string text = RecordText(*record);
    env.out.write(text.data(), static_cast<std::streamsize>(text.size()));
  } catch (const ObjTextError& e) {
    return Fail(env, e.what());
  }
  return 0;
}

std::optional<DayNumber> ParseIsoDate(const std::string& s) { return ParseDate(s, "yyyy-mm-dd"); }

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Env env{Options{}, out, err};
  size_t i = 0;
  auto value = [&](const std::string& opt) -> std::optional<std::string> {
    if (i + 1 >= args.size()) return std::nullopt;
    (void)opt;
    return args[++i];
  };
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.empty() || a[0] != '-') break;
    if (a == "-h" || a == "--help") {
      out << kUsage;
      return 0;
    }
    std::optional<std::string> v = value(a);
    if (!v) return Usage(err, "option " + a + " needs a value");
    if (a == "--program-dir") {
      env.options.programDir = *v;
    } else if (a == "--save-dir") {
      env.options.saveDir = *v;
    } else if (a == "--today") {
      env.options.today = ParseIsoDate(*v);
      if (!env.options.today) return Usage(err, "--today needs a date as YYYY-MM-DD");
    } else if (a == "--date-format") {
      if (*v != "dd-mm-yyyy" && *v != "dd.mm.yyyy" && *v != "dd/mm/yyyy" && *v != "yyyy-mm-dd")
        return Usage(err, "unknown date format " + *v);
      env.options.regional.shortDateFormat = *v;
    } else if (a == "--decimal") {
      if (*v != "." && *v != ",") return Usage(err, "--decimal is . or ,");
      env.options.regional.decimalSeparator = (*v)[0];
    } else if (a == "--currency") {
      env.options.regional.currencySymbol = Utf8ToCp1252(*v);
    } else if (a == "--energy") {
      env.options.energy = *v;
    } else {
      return Usage(err, "unknown option " + a);
    }
  }
  if (i >= args.size()) return Usage(err, "no command given");
  const std::string command = args[i];
  const std::vector<std::string> rest(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
  static const std::map<std::string, int (*)(Env&, const std::vector<std::string>&)> kCommands = {
      {"check", &CmdCheck},
      {"format", &CmdFormat},
  };
  auto it = kCommands.find(command);
  if (it == kCommands.end()) return Usage(err, "unknown command " + command);
  return it->second(env, rest);
}

}  // namespace stallora::cli
