// Feed list commands: import of a feed list text file, and conversion of a feed list to
// another energy and protein system. Both write object text to standard output.

#include <filesystem>
#include <ostream>
#include <sstream>

#include "app/cli_commands.h"
#include "core/cp1252.h"
#include "core/objtext.h"
#include "feeds/feedlist.h"
#include "feeds/feedlist_import.h"

namespace stallora::cli {
namespace {

// The import's message boxes, on standard error.
class StreamMessages final : public Messages {
 public:
  explicit StreamMessages(std::ostream& err) : err_(err) {}
  void Inform(const std::string& text) override { err_ << Lines(text) << "\n"; }
  void Error(const std::string& text) override { err_ << Lines(text) << "\n"; }
  bool Confirm(const std::string& text) override {
    err_ << Lines(text) << " [no]\n";
    return false;
  }

 private:
  std::ostream& err_;
};

// The configuration when the program directory has one; the records' defaults otherwise.
struct FeedCommandSetup {
  std::unique_ptr<Configuration> config;
  std::unique_ptr<TEnergyProteinObj> builtIn;
  std::unique_ptr<RecordEnvironment> fallback;
  const RecordEnvironment& Environment() const { return config ? *config->environment : *fallback; }
};

FeedCommandSetup Setup(Env& env) {
  FeedCommandSetup s;
  std::ostringstream ignored;
  Env quiet{env.options, env.out, ignored, SystemClock{}, env.fixedClock};
  s.config = LoadConfiguration(quiet);
  // The configuration's records read the clock of the Env they were made with; `quiet`
  // ends with this function, the command's own Env does not.
  if (s.config) s.config->environment->clock = &env.GetClock();
  if (!s.config) {
    s.builtIn = std::make_unique<TEnergyProteinObj>();
    s.builtIn->Navn = "NRC 2007";
    if (env.options.energy) ParseEnergyOption(*env.options.energy, *s.builtIn);
    s.fallback = std::make_unique<RecordEnvironment>(env.GetClock(), env.options.regional, 45, s.builtIn.get());
  }
  return s;
}

int WriteList(Env& env, const TForListe& list) {
  try {
    const std::string text = RecordText(list);
    env.out.write(text.data(), static_cast<std::streamsize>(text.size()));
  } catch (const ObjTextError& e) {
    return Fail(env, e.what());
  }
  return 0;
}

}  // namespace

int CmdImport(Env& env, const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage(env.err, "import needs one FILE (a feed list text file)");
  RegisterFeedClasses();
  FeedCommandSetup setup = Setup(env);
  TForListe list(setup.Environment());
  StreamMessages messages(env.err);
  try {
    if (!ImportFromText(list, std::filesystem::path(args[0]), messages)) return 1;
  } catch (const FeedImportError& e) {
    return Fail(env, e.what());
  }
  return WriteList(env, list);
}

int CmdConvert(Env& env, const std::vector<std::string>& args) {
  if (args.size() != 2) return Usage(env.err, "convert needs FILE and SYSTEM:BASIS:UNIT:FACTOR:PROTEIN");
  TEnergyProteinObj target;
  if (!ParseEnergyOption(args[1], target))
    return Usage(env.err, "convert needs SYSTEM:BASIS:UNIT:FACTOR:PROTEIN, e.g. fransk:NE:fe:1:DCP");
  RegisterFeedClasses();
  FeedCommandSetup setup = Setup(env);
  std::string error;
  std::unique_ptr<Record> record = ReadRecordFile(env, args[0], error, &setup.Environment());
  if (!record) return Fail(env, error);
  auto* list = dynamic_cast<TForListe*>(record.get());
  if (!list) return Fail(env, "Not a feed list: " + Utf8ToCp1252(args[0]));
  const EnergyRecord to = EnergyRecord::Of(target);
  if (!list->ConvertAllTo(to, to.ProteinType, &error)) return Fail(env, error);
  list->EnergiBeregning = to.EnergiBeregning;
  return WriteList(env, *list);
}

}  // namespace stallora::cli
