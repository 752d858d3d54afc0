#include "stable/online_service.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <vector>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/objtext.h"
#include "core/textutil.h"
#include "feeds/feedlist.h"
#include "stable/workspace.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The first `count` lines of a text; a line ends at CR LF, LF or a lone CR, and a final
// line end makes no empty line after it.
std::vector<std::string_view> FirstLines(std::string_view text, size_t count) {
  std::vector<std::string_view> lines;
  size_t pos = 0;
  while (pos < text.size() && lines.size() < count) {
    const size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(pos));
      break;
    }
    lines.push_back(text.substr(pos, end - pos));
    pos = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  return lines;
}

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(p, ec);
}

void RemoveQuietly(const fs::path& p) {
  std::error_code ec;
  fs::remove(p, ec);
}

bool StartsLikeJpeg(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  unsigned char head[3] = {0, 0, 0};
  in.read(reinterpret_cast<char*>(head), 3);
  return in.gcount() == 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF;
}

}  // namespace

// ---------------------------------------------------------------- parsing

std::optional<double> ParsePointNumber(std::string_view text) {
  text = TrimBlanks(text);
  if (text.empty()) return std::nullopt;
  // Only digits, one point, a sign and an exponent: from_chars alone would take "inf",
  // "nan" and hexadecimal forms.
  for (char c : text)
    if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) return std::nullopt;
  if (text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<int> ParseWholeNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

VersionFile ParseVersionFile(std::string_view text) {
  VersionFile v;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::vector<std::string_view> lines = FirstLines(text, 2);
  if (!lines.empty()) {
    v.hasVersionLine = true;
    v.versionText = std::string(lines[0]);
    v.version = ParsePointNumber(lines[0]).value_or(kOwnProgramVersion);
  }
  if (lines.size() >= 2) {
    const std::string_view line = lines[1];
    const size_t blank = line.find(' ');
    // No blank: the whole line is what failed to read as the version.
    const std::string_view before = blank == std::string_view::npos ? line : line.substr(0, blank);
    const std::optional<int> version = blank == std::string_view::npos ? std::nullopt : ParseWholeNumber(before);
    if (!version) {
      v.listLine = VersionFile::ListLine::Malformed;
      v.problem = "'" + std::string(before) + "' is not a valid integer value";
    } else {
      v.listLine = VersionFile::ListLine::Offered;
      v.listVersion = *version;
      v.listFile = std::string(line.substr(blank + 1));
    }
  }
  return v;
}

std::optional<std::string> ValidateOfferedFileName(std::string_view name) {
  const std::string quoted = ": \"" + std::string(name) + "\"";
  if (auto problem = ValidateFileName(name)) return Tr(kOfferedNameRefused) + ". " + *problem;
  if (name.find("..") != std::string_view::npos || name.size() > 255 || name.size() < 5 ||
      !SameText(name.substr(name.size() - 4), ".eqf"))
    return Tr(kOfferedNameRefused) + quoted;
  return std::nullopt;
}

std::string PercentEncodePathSegment(std::string_view cp1252) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : Cp1252ToUtf8(cp1252)) {
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                            c == '.' || c == '_' || c == '~';
    if (unreserved) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string HostOfAddress(std::string_view address) {
  const size_t scheme = address.find("://");
  if (scheme == std::string_view::npos) return {};
  std::string_view rest = address.substr(scheme + 3);
  rest = rest.substr(0, rest.find_first_of("/?#"));
  if (const size_t at = rest.rfind('@'); at != std::string_view::npos) rest.remove_prefix(at + 1);
  return std::string(rest);
}

std::string SplashFileName(int month) {
  if (month < 1 || month > 12) month = 1;
  const char digits[3] = {static_cast<char>('0' + month / 10), static_cast<char>('0' + month % 10), 0};
  return std::string(digits) + "splash.jpg";
}

std::string UpgradeLinkText(const std::string& offeredVersionText) {
  return Tr(kUpgradeTo) + " " + offeredVersionText;
}

std::string GetNewestListLinkText(int offeredListVersion) {
  return Tr(kGetNewestList) + " v." + std::to_string(offeredListVersion);
}

std::string HttpFailureMessage(const fs::path& target) {
  return "HTTP Failure\rHeader=" + std::string(kHttpHeaderFile) + "\rBody=" + PathText(target);
}

// ---------------------------------------------------------------- the service

OnlineService::OnlineService(AppContext& app, HttpClient& http) : app_(app), http_(http) {}

void OnlineService::SetBusy(bool busy) {
  if (busy_ == busy) return;
  busy_ = busy;
  if (onBusyChanged) onBusyChanged(busy);
}

bool OnlineService::OnlineTest() {
  const std::string url = app_.preferences.CountryResource(std::string(kVersionFileName));
  kept_ = http_.Get(url, timeouts.versionFile, &lastError_);
  app_.online = kept_.has_value();
  return app_.online;
}

void OnlineService::VersionCheck(const TForListe* currentGuarantee) {
  if (!app_.online) return;
  if (kept_) {
    checked_ = ParseVersionFile(*kept_);
    kept_.reset();
  }
  if (!checked_) return;
  const VersionFile& v = *checked_;
  if (v.hasVersionLine) {
    app_.newerProgram = v.version > kOwnProgramVersion;
    offeredVersionText_ = v.versionText;
  }
  switch (v.listLine) {
    case VersionFile::ListLine::Absent:
      break;
    case VersionFile::ListLine::Malformed:
      // A broken line on the server must not stop the program's start: no offer.
      app_.newerGuaranteeList = false;
      app_.offeredGuaranteeVersion = 0;
      app_.offeredGuaranteeFile.clear();
      app_.messages.Error(v.problem);
      checked_->listLine = VersionFile::ListLine::Absent;  // said once
      break;
    case VersionFile::ListLine::Offered:
      app_.offeredGuaranteeVersion = v.listVersion;
      app_.offeredGuaranteeFile = v.listFile;
      app_.newerGuaranteeList = currentGuarantee == nullptr || currentGuarantee->GarantiForlisteVersjon < v.listVersion;
      break;
  }
}

bool OnlineService::FetchIntoFile(const std::string& url, const fs::path& target, std::chrono::milliseconds timeout,
                                  const std::function<bool(const fs::path&)>& accept) {
  // Hidden and without the target's extension: neither the scan nor a backup takes it for a
  // file of the workspace, even when the program ends in the middle of a download.
  const fs::path temp = target.parent_path() / ("." + target.filename().string() + ".part");
  RemoveQuietly(temp);
  if (!http_.GetToFile(url, temp, timeout, &lastError_)) {
    RemoveQuietly(temp);
    app_.messages.Error(HttpFailureMessage(target));
    return false;
  }
  if (!accept(temp)) {
    RemoveQuietly(temp);
    return false;
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    RemoveQuietly(temp);
    lastError_ = ec.message();
    app_.messages.Error(Tr(kDownloadNotStored) + ": " + PathText(target));
    return false;
  }
  return true;
}

OnlineService::FetchResult OnlineService::GetNewestGuaranteeList(Workspace& workspace) {
  if (busy_) return FetchResult::Busy;
  if (!app_.online || app_.offeredGuaranteeFile.empty()) return FetchResult::NotOnline;
  const std::string name = app_.offeredGuaranteeFile;
  if (auto problem = ValidateOfferedFileName(name)) {
    app_.messages.Error(*problem);
    return FetchResult::Refused;
  }
  const fs::path feedDir = app_.preferences.FeedDirectory();
  const fs::path target = feedDir / PathFromText(name);
  if (Exists(target)) return FetchResult::AlreadyThere;

  std::unique_ptr<TForListe> list;
  SetBusy(true);
  const bool stored = FetchIntoFile(
      app_.preferences.CountryResource(PercentEncodePathSegment(name)), target, timeouts.guaranteeList,
      [&](const fs::path& temp) {
        auto candidate = std::make_unique<TForListe>(app_.Env());
        try {
          candidate->LoadFromFile(temp);
        } catch (const ObjTextError& e) {
          app_.messages.Error(e.what());
          return false;
        }
        // The old list is deleted below; only a real guarantee list may take its place,
        // and only the one offered: a file that holds another version (an older one
        // served under the new name) would set the whole workspace back.
        if (!candidate->ErGarantiForliste) {
          app_.messages.Error(Tr(kNotAGuaranteeList) + ": " + name);
          return false;
        }
        const TForListe* current = workspace.CurrentGuaranteeList();
        if (candidate->GarantiForlisteVersjon != app_.offeredGuaranteeVersion ||
            (current && candidate->GarantiForlisteVersjon <= current->GarantiForlisteVersjon)) {
          app_.messages.Error(Tr(kWrongListVersion) + ": " + name + " (" +
                              std::to_string(candidate->GarantiForlisteVersjon) + ", " + Tr(kOffered) + " " +
                              std::to_string(app_.offeredGuaranteeVersion) +
                              (current ? ", " + Tr(kCurrentList) + " " + std::to_string(current->GarantiForlisteVersjon)
                                       : std::string()) +
                              ")");
          return false;
        }
        list = std::move(candidate);
        return true;
      });
  SetBusy(false);
  if (!stored) return FetchResult::Failed;
  list->ForListeFilNavn = TextFromPath(target);

  if (TForListe* old = workspace.CurrentGuaranteeList()) {
    std::string error;
    if (!workspace.DeleteFeedListFile(*old, &error)) app_.messages.Error(error);
  }
  workspace.AddGuaranteeList(std::move(list));
  app_.preferences.GarantiForlisteFilnavn = name;
  app_.messages.Inform(Tr(kNewestListFetched) + ".\r" + Tr(kUpdatingAnalyses));

  SetBusy(true);
  const size_t before = workspace.Messages().size();
  workspace.UpdateAllFromGuarantee();
  SetBusy(false);
  for (size_t i = before; i < workspace.Messages().size(); ++i) app_.messages.Error(workspace.Messages()[i]);
  app_.newerGuaranteeList = false;
  return FetchResult::Done;
}

fs::path OnlineService::RefreshSplashPicture(int month) {
  const std::string name = SplashFileName(month);
  const fs::path dir = app_.preferences.ImagesDirectory();
  const fs::path file = dir / name;
  if (Exists(file)) return file;
  if (!app_.online) return {};
  std::error_code ec;
  fs::create_directories(dir, ec);
  FetchIntoFile(app_.preferences.GeneralResource(name), file, timeouts.splashPicture, [&](const fs::path& temp) {
    if (StartsLikeJpeg(temp)) return true;
    app_.messages.Error(HttpFailureMessage(file));
    return false;
  });
  return Exists(file) ? file : fs::path{};
}

}  // namespace stallora
