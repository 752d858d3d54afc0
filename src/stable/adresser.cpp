#include "stable/adresser.h"

#include <array>
#include <charconv>

#include "core/fileio.h"

namespace stallora {
namespace {

constexpr char kSeparator = '%';
constexpr size_t kFieldCount = 11;

// A field as it can be stored: the characters that would split the field or the line
// become blanks.
std::string CleanField(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c == kSeparator || c == '\r' || c == '\n') c = ' ';
  return out;
}

bool NeedsCleaning(std::string_view text) { return text.find_first_of("%\r\n") != std::string_view::npos; }

// A stored name never holds the characters CleanField replaces, so a name given with them
// is looked up as it would have been stored.
std::string LookupName(std::string_view name) { return NeedsCleaning(name) ? CleanField(name) : std::string(name); }

bool ParseKategori(std::string_view text, int32_t& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') return false;
  }
  if (text.empty()) return false;
  int32_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  value = v;
  return true;
}

// The fields of a line in line order, without parsing Kategori.
std::array<std::string_view, kFieldCount> SplitLine(std::string_view line) {
  std::array<std::string_view, kFieldCount> fields{};
  if (!line.empty() && line.front() == kSeparator) line.remove_prefix(1);
  size_t i = 0;
  while (i < kFieldCount) {
    const size_t sep = line.find(kSeparator);
    fields[i++] = line.substr(0, sep);
    if (sep == std::string_view::npos) break;
    line.remove_prefix(sep + 1);
  }
  return fields;
}

std::string_view NameOf(std::string_view line) { return SplitLine(line)[0]; }

bool SameExceptReserve(const TAdrRec& a, const TAdrRec& b) {
  return a.Navn == b.Navn && a.Adresse1 == b.Adresse1 && a.Adresse2 == b.Adresse2 && a.Adresse3 == b.Adresse3 &&
         a.Telefon == b.Telefon && a.Mobiltelefon == b.Mobiltelefon && a.Email == b.Email &&
         a.Kategori == b.Kategori && a.Web == b.Web && a.Kontaktperson == b.Kontaktperson;
}

}  // namespace

std::string AdrRecToString(const TAdrRec& rec) {
  const std::string_view fields[] = {rec.Navn,         rec.Adresse1,      rec.Adresse2, rec.Adresse3,
                                     rec.Telefon,      rec.Email,         rec.Web,      rec.Mobiltelefon,
                                     rec.Kontaktperson, rec.Reserve};
  std::string line;
  for (std::string_view f : fields) {
    line += kSeparator;
    line += NeedsCleaning(f) ? CleanField(f) : std::string(f);
  }
  line += kSeparator;
  line += std::to_string(rec.Kategori);
  return line;
}

TAdrRec StringToAdrRec(std::string_view line) {
  const auto f = SplitLine(line);
  TAdrRec rec;
  rec.Navn = f[0];
  rec.Adresse1 = f[1];
  rec.Adresse2 = f[2];
  rec.Adresse3 = f[3];
  rec.Telefon = f[4];
  rec.Email = f[5];
  rec.Web = f[6];
  rec.Mobiltelefon = f[7];
  rec.Kontaktperson = f[8];
  rec.Reserve = f[9];
  ParseKategori(f[10], rec.Kategori);
  return rec;
}

const RecordClass& TAdresser::StaticClass() {
  static const RecordClass c =
      RecordClass::Make<TAdresser>("TAdresser", {Prop<&TAdresser::AdresseListe>("AdresseListe")});
  return c;
}

void RegisterAdresserClasses() { RegisterClass(TAdresser::StaticClass()); }

std::string TAdresser::GetName(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= AdresseListe.size()) return {};
  return std::string(NameOf(AdresseListe[index]));
}

std::string TAdresser::GetEmail(std::string_view name) const {
  const std::string wanted = LookupName(name);
  for (const std::string& line : AdresseListe)
    if (NameOf(line) == wanted) return StringToAdrRec(line).Email;
  return {};
}

int32_t TAdresser::GetAdressatKategori(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= AdresseListe.size()) return 0;
  return StringToAdrRec(AdresseListe[index]).Kategori;
}

bool TAdresser::DuplicateNameExists(std::string_view name) const {
  const std::string wanted = LookupName(name);
  for (const std::string& line : AdresseListe)
    if (NameOf(line) == wanted) return true;
  return false;
}

bool TAdresser::DuplicateExists(const TAdrRec& rec, int& index) const {
  // Compared as it would be stored, so a record with a "%" in a field finds its own line.
  const TAdrRec wanted = StringToAdrRec(AdrRecToString(rec));
  for (size_t i = 0; i < AdresseListe.size(); ++i) {
    if (SameExceptReserve(StringToAdrRec(AdresseListe[i]), wanted)) {
      index = static_cast<int>(i);
      return true;
    }
  }
  index = -1;
  return false;
}

int TAdresser::GetAdresseNr(std::string_view name, int32_t kategori) const {
  const std::string wanted = LookupName(name);
  for (size_t i = 0; i < AdresseListe.size(); ++i) {
    if (NameOf(AdresseListe[i]) != wanted) continue;
    if (kategori == 0 || StringToAdrRec(AdresseListe[i]).Kategori == kategori) return static_cast<int>(i);
  }
  return -1;
}

TAdrRec TAdresser::GetAdresseRecord(std::string_view name, int32_t kategori) const {
  const int i = GetAdresseNr(name, kategori);
  return i < 0 ? TAdrRec{} : StringToAdrRec(AdresseListe[i]);
}

StringList TAdresser::NameList() const {
  StringList names;
  names.reserve(AdresseListe.size());
  for (const std::string& line : AdresseListe) names.emplace_back(NameOf(line));
  return names;
}

StringList TAdresser::SelectedNameList(int32_t kategori) const {
  if (kategori == 0) return NameList();
  StringList names;
  for (const std::string& line : AdresseListe) {
    TAdrRec rec = StringToAdrRec(line);
    if (rec.Kategori == kategori) names.push_back(std::move(rec.Navn));
  }
  return names;
}

void TAdresser::AddRecord(const TAdrRec& rec) { AdresseListe.push_back(AdrRecToString(rec)); }

bool TAdresser::UpdateRecord(int index, const TAdrRec& rec) {
  if (index < 0 || static_cast<size_t>(index) >= AdresseListe.size()) return false;
  AdresseListe[index] = AdrRecToString(rec);
  return true;
}

bool TAdresser::DeleteRecord(int index) {
  if (index < 0 || static_cast<size_t>(index) >= AdresseListe.size()) return false;
  AdresseListe.erase(AdresseListe.begin() + index);
  return true;
}

std::string TAdresser::FileText() const {
  size_t size = 0;
  for (const std::string& line : AdresseListe) size += line.size() + 2;
  std::string out;
  out.reserve(size);
  for (const std::string& line : AdresseListe) {
    out += line;
    out += "\r\n";
  }
  return out;
}

void TAdresser::SetFileText(std::string_view bytes) {
  StringList lines;
  while (!bytes.empty()) {
    const size_t end = bytes.find_first_of("\r\n");
    lines.emplace_back(bytes.substr(0, end));
    if (end == std::string_view::npos) break;
    const bool crlf = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n';
    bytes.remove_prefix(end + (crlf ? 2 : 1));
  }
  AdresseListe = std::move(lines);
}

bool TAdresser::writeToFile(const std::filesystem::path& path, std::string* error) const {
  try {
    return WriteRecordFileGuarded(*this, path, FileText(), error);
  } catch (const FileConflictError& e) {
    if (error) *error = e.what();
    return false;
  }
}

bool TAdresser::LoadfromFile(const std::filesystem::path& path, std::string* error) {
  const auto bytes = ReadWholeFile(path, error);
  if (!bytes) return false;
  SetFileText(*bytes);
  fileStamp = StampOfBytes(path, *bytes);
  return true;
}

}  // namespace stallora
