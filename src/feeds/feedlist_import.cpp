#include "feeds/feedlist_import.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <system_error>

#include "core/cp1252.h"
#include "core/daynum.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"

namespace stallora {
namespace {

// Lines end at CR LF, CR or LF. Reading past the end gives an empty line.
class LineReader {
 public:
  explicit LineReader(std::string_view data) : data_(data) {}
  bool Eof() const { return pos_ >= data_.size(); }
  std::string Next() {
    if (Eof()) return {};
    size_t end = data_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) end = data_.size();
    std::string line(data_.substr(pos_, end - pos_));
    pos_ = end;
    if (pos_ < data_.size()) {
      const bool crlf = data_[pos_] == '\r' && pos_ + 1 < data_.size() && data_[pos_ + 1] == '\n';
      pos_ += crlf ? 2 : 1;
    }
    return line;
  }
  void Skip() { Next(); }
  // Only blanks and line ends are left.
  bool RestIsBlank() const {
    for (size_t i = pos_; i < data_.size(); ++i)
      if (static_cast<unsigned char>(data_[i]) > ' ') return false;
    return true;
  }

 private:
  std::string_view data_;
  size_t pos_ = 0;
};

// The text after the first "=" (the whole line without one). The "=" has to lie within the
// first 255 characters.
std::string ValueOf(const std::string& line) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return line;
  if (eq >= 255) throw FeedImportError("Range check error");
  return line.substr(eq + 1);
}

// The part before the first blank; empty when there is no blank.
std::string FirstWord(const std::string& text) {
  const size_t sp = text.find(' ');
  return sp == std::string::npos ? std::string() : text.substr(0, sp);
}

std::optional<int> ReadInteger(std::string_view text) {
  const std::string t = Trim(text);
  const char* first = t.data();
  const char* last = t.data() + t.size();
  if (first < last && *first == '+') ++first;
  if (first == last) return std::nullopt;
  int v = 0;
  auto r = std::from_chars(first, last, v);
  if (r.ec != std::errc() || r.ptr != last) return std::nullopt;
  return v;
}

std::string Cut255(std::string s) {
  if (s.size() > 255) s.resize(255);
  return s;
}

// An enumeration of the header: a number that does not read keeps the list's value; one
// outside the enumeration is a range error.
template <class E>
void ReadEnumeration(const std::string& line, int highest, E& field) {
  if (auto v = ReadInteger(FirstWord(ValueOf(line)))) {
    if (*v < 0 || *v > highest) throw FeedImportError("Range check error");
    field = static_cast<E>(*v);
  }
}

// Reads the header lines 2..9; stops quietly where the file ends.
void ReadHeader(LineReader& in, TForListe& list) {
  const RecordEnvironment& env = *list.env;
  if (in.Eof()) return;
  list.ForlisteNavn = in.Next();
  if (in.Eof()) return;
  {
    const std::string value = ValueOf(in.Next());
    if (Trim(value).empty()) {
      list.EndretDato = env.Today();
    } else if (auto date = ParseDate(value, env.regional.shortDateFormat)) {
      list.EndretDato = *date;
    } else {
      throw FeedImportError("'" + value + "' is not a valid date");
    }
  }
  if (in.Eof()) return;
  if (auto v = ReadDecimal(ValueOf(in.Next()))) list.Versjon = *v;
  if (in.Eof()) return;
  {
    const std::string line = in.Next();
    if (auto v = ReadInteger(line.substr(0, 3))) list.SpraakNr = *v;
  }
  if (in.Eof()) return;
  ReadEnumeration(in.Next(), 2, list.EnergiBasis);
  if (in.Eof()) return;
  ReadEnumeration(in.Next(), 2, list.EnergiEnhet);
  if (in.Eof()) return;
  {
    // The factor scales feed units; one that does not read, or is not above 0, would make
    // every energy value meaningless, so the neutral factor stands in for it.
    auto v = ReadDecimal(ValueOf(in.Next()));
    list.EnergiFaktor = v && *v > 0 ? *v : 1.0;
  }
  if (in.Eof()) return;
  if (auto v = ReadInteger(FirstWord(ValueOf(in.Next())))) {
    if (*v < 0) throw FeedImportError("Range check error");
    list.ProteinType = *v >= 1 ? TProteinBeregning::DCP : TProteinBeregning::CP;
  }
}

// Reads one feed block; a block cut short by the end of the file keeps what was read.
void ReadBlock(LineReader& in, TFor& feed) {
  feed.Fornavn = Cut255(ValueOf(in.Next()));
  if (in.Eof()) return;
  std::string line = in.Next();
  if (line.find("Brand") != std::string::npos) {
    feed.Brand = Cut255(ValueOf(line));
    if (in.Eof()) return;
    line = in.Next();
  } else {
    feed.Brand = Tr(kVersionText) + "1";  // a version-1 block: this line is the price
  }
  if (auto v = ReadDecimal(ValueOf(line))) feed.Pris = *v;
  if (in.Eof()) return;
  if (auto v = ReadDecimal(ValueOf(in.Next()))) feed.TorrStoff = *v;
  if (in.Eof()) return;
  {
    const std::string value = ValueOf(in.Next());
    if (auto v = ReadInteger(value.substr(0, 2))) {
      if (*v < 0 || *v > kMaxFeedCategory) throw FeedImportError("Range check error");
      feed.Fortype = static_cast<TForkategorier>(*v);
    }
  }
  if (in.Eof()) return;
  feed.KanIkkeEndres = in.Next().find("TRUE") != std::string::npos;
  if (in.Eof()) return;
  feed.KarotenRikt = in.Next().find("TRUE") != std::string::npos;
  if (in.Eof()) return;
  line = in.Next();
  if (line.empty() || line[0] == '#') return;  // no analysis lines
  for (int i = 0; i < kNutrientCount; ++i) {
    if (i > 0) {
      if (in.Eof()) break;
      line = in.Next();
    }
    feed.SetValue(i, ReadDecimal(FirstWord(ValueOf(line))).value_or(0.0));
  }
  feed.UpdateRatio();
  return;
}

}  // namespace

bool ReadFeedListText(TForListe& list, std::string_view bytes, const std::string& pathText, Messages& messages) {
  LineReader in(bytes);
  if (in.Next() != kFeedListTextMark) {
    messages.Error(pathText + "-error: Unexpected format of feed-file - Aborts task!");
    return false;
  }
  list.ForListeFilNavn = pathText;
  ReadHeader(in, list);
  const int ours = list.env->countryNumber;
  if (list.SpraakNr != ours) {
    messages.Inform("Feedfile: country of origin = " + std::to_string(list.SpraakNr) + "!" + "\r" +
                    "Stallora country = " + std::to_string(ours) + "\r" +
                    "No energy or proetein conversions are being made here now!");
  }
  if (!in.Eof()) in.Skip();
  // Blank lines at the end of the file are no feed.
  while (!in.Eof() && !in.RestIsBlank()) {
    auto feed = std::make_unique<TFor>(*list.env);
    ReadBlock(in, *feed);
    list.AddFeed(std::move(feed));
    if (!in.Eof()) in.Skip();
  }
  messages.Inform("ForlisteFraTekstFil, " + list.ForlisteNavn + ", " + Tr(kAntalFoderemner) + " = " +
                  std::to_string(list.Count()));
  list.UnpickAll();
  return true;
}

bool ImportFromText(TForListe& list, const std::filesystem::path& path, Messages& messages) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    messages.Inform("Feed file not found: " + PathText(path));
    return false;
  }
  std::string problem;
  errno = 0;
  const std::optional<std::string> bytes = ReadWholeFile(path, &problem);
  if (!bytes) {
    const int number = errno ? errno : EIO;
    throw FeedImportError("I/O error " + std::to_string(number) + ": " + problem);
  }
  return ReadFeedListText(list, *bytes, PathText(path), messages);
}

namespace {

// The energy-system property line of an older file: "EnergiBeregning = <value with NRC>".
// A name or note that happens to contain the letters (a quoted string) is left alone.
bool IsOldEnergyLine(std::string_view line) {
  const size_t eq = line.find('=');
  if (eq == std::string_view::npos || line.find("NRC") == std::string_view::npos) return false;
  const std::string key = Trim(line.substr(0, eq));
  const std::string value = Trim(line.substr(eq + 1));
  return SameText(key, "EnergiBeregning") && value.find("NRC") != std::string::npos &&
         value.find('\'') == std::string::npos && value.find('#') == std::string::npos;
}

}  // namespace

std::string MigrateEnergyLinesText(std::string_view text, bool* changed) {
  if (text.find("NRC") == std::string_view::npos) {
    if (changed) *changed = false;
    return std::string(text);
  }
  // Every line keeps its own line end (CR LF, LF or CR), and the last line its absence of
  // one: only the replaced lines change.
  std::string out;
  out.reserve(text.size() + 16);
  bool any = false;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    size_t next = end;
    if (next < text.size()) next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
    const std::string_view line = text.substr(pos, end - pos);
    if (IsOldEnergyLine(line)) {
      out += "EnergiBeregning = nrc2007";
      any = true;
    } else {
      out += line;
    }
    out += text.substr(end, next - end);
    pos = next;
  }
  if (changed) *changed = any;
  if (!any) return std::string(text);
  return out;
}

std::optional<std::string> CheckNewWorkspaceName(const TForListe& list,
                                                 const std::vector<std::string>& workspaceNames) {
  if (auto problem = ValidateFileName(list.ForlisteNavn)) return problem;
  const std::string exists = Tr(kListExists) + ": " + list.ForlisteNavn;
  for (const std::string& name : workspaceNames)
    if (SameText(name, list.ForlisteNavn)) return exists;
  const std::filesystem::path dir = list.FeedDirectory();
  if (!dir.empty()) {
    std::error_code ec;
    for (const char* ext : {".eqf", ".mix"})
      if (std::filesystem::exists(dir / PathFromText(list.ForlisteNavn + ext), ec)) return exists;
  }
  return std::nullopt;
}

ImportedList ImportListFile(const std::filesystem::path& path, const RecordEnvironment& env,
                            const std::vector<std::string>& workspaceNames) {
  ImportedList result;
  const std::optional<std::string> bytes = ReadWholeFile(path);
  if (!bytes) {
    result.error = "Cannot open file " + PathText(path);
    return result;
  }
  auto list = std::make_unique<TForListe>(env);
  try {
    list->LoadFromText(MigrateEnergyLinesText(*bytes), path);
  } catch (const ObjTextError& e) {
    result.error = e.what();
    return result;
  }
  if (auto problem = CheckNewWorkspaceName(*list, workspaceNames)) {
    result.error = *problem;
    return result;
  }
  try {
    list->SaveToWorkspace();
  } catch (const ObjTextError& e) {
    result.error = e.what();
    return result;
  }
  result.list = std::move(list);
  return result;
}

}  // namespace stallora
