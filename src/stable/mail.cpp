#include "stable/mail.h"

#include <algorithm>

#include "core/cp1252.h"
#include "core/fileio.h"
#include "core/textutil.h"
#include "nutrition/hest.h"
#include "stable/adresser.h"
#include "stable/stall.h"

namespace stallora {
namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string AsciiUpper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

bool HasExtension(const fs::path& p, std::initializer_list<std::string_view> extensions) {
  const std::string ext = TextFromPath(p.extension());
  for (std::string_view e : extensions)
    if (SameText(ext, e)) return true;
  return false;
}

// The picture a source value names, as a path on this system: "file:" addresses lose their
// scheme, backslashes of a Windows-style path become separators, and a relative source counts
// from the report's directory.
fs::path PicturePath(std::string source, const fs::path& reportDirectory) {
  if (source.size() >= 8 && SameText(std::string_view(source).substr(0, 8), "file:///")) source.erase(0, 7);
  std::replace(source.begin(), source.end(), '\\', '/');
  fs::path p = PathFromText(source);
  return p.is_absolute() ? p : reportDirectory / p;
}

}  // namespace

// ---------------------------------------------------------------- attachment list

bool AttachmentList::Add(const fs::path& file) {
  const std::string text = TextFromPath(file);
  auto less = [](const fs::path& a, const std::string& b) {
    const int c = CompareText(TextFromPath(a), b);
    return c != 0 ? c < 0 : TextFromPath(a) < b;
  };
  auto it = std::lower_bound(files_.begin(), files_.end(), text, less);
  if (it != files_.end() && TextFromPath(*it) == text) return false;
  files_.insert(it, file);
  return true;
}

bool AttachmentList::Contains(const fs::path& file) const {
  return std::find(files_.begin(), files_.end(), file) != files_.end();
}

std::array<bool, kHorseMailItemCount> HorseItemsForAttachments(const AttachmentList& list) {
  std::array<bool, kHorseMailItemCount> ticked{};
  for (const fs::path& f : list.Files()) {
    const std::string name = TextFromPath(f.filename());
    for (int i = 0; i < kHorseMailItemCount; ++i)
      if (name.starts_with(kHorseMailItemCodes[static_cast<size_t>(i)])) ticked[static_cast<size_t>(i)] = true;
  }
  return ticked;
}

std::string ReportDateTag(const Regional& regional, DayNumber today) {
  std::string tag = regional.FormatShortDate(today);
  std::erase_if(tag, [](char c) { return c == '.' || c == '/'; });
  return tag;
}

std::vector<fs::path> TodaysFeedingPlanFiles(const fs::path& horseDirectory, std::string_view dateTag) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(horseDirectory, ec)) {
    if (!e.is_regular_file(ec) || !HasExtension(e.path(), {".htm"})) continue;
    const std::string name = TextFromPath(e.path().filename());
    if ((name.starts_with("01") || name.starts_with("03")) && name.find(dateTag) != std::string::npos)
      files.push_back(e.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// ---------------------------------------------------------------- picture tags

std::string RewritePictureTagsInLine(std::string_view line, std::string_view resourceHost,
                                     std::vector<std::string>& pictures) {
  static constexpr std::string_view kTag = "<IMG SRC=\"";
  std::string out;
  // The upper-case copy has the same length, so a position found in it cuts the line at the
  // same byte.
  const std::string upper = AsciiUpper(line);
  size_t pos = 0;
  while (true) {
    const size_t p = upper.find(kTag, pos);
    if (p == std::string::npos) break;
    out.append(line.substr(pos, p - pos));
    const size_t close = line.find('>', p);
    if (close == std::string_view::npos) {
      pos = p;  // an open tag: the rest stays as it is
      break;
    }
    const std::string_view tag = line.substr(p, close + 1 - p);
    pos = close + 1;
    const size_t q1 = tag.find('"');
    const size_t q2 = tag.find('"', q1 + 1);
    if ((!resourceHost.empty() && tag.find(resourceHost) != std::string_view::npos) || q2 == std::string_view::npos) {
      out.append(tag);
      continue;
    }
    const std::string_view source = tag.substr(q1 + 1, q2 - q1 - 1);
    const size_t cut = source.find_last_of("\\/:");
    const std::string_view bare = cut == std::string_view::npos ? source : source.substr(cut + 1);
    out.append(tag.substr(0, q1 + 1));
    out.append(bare);
    out.append(tag.substr(q2));
    pictures.emplace_back(source);
  }
  out.append(line.substr(pos));
  return out;
}

std::string RewritePictureTags(std::string_view text, std::string_view resourceHost,
                               std::vector<std::string>& pictures) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    out += RewritePictureTagsInLine(text.substr(pos, end - pos), resourceHost, pictures);
    while (end < text.size() && (text[end] == '\r' || text[end] == '\n')) out += text[end++];
    pos = end;
  }
  return out;
}

bool RewriteReportPictures(const fs::path& report, std::string_view resourceHost, AttachmentList& attachments) {
  if (!HasExtension(report, {".htm", ".html", ".txt", ".rtf"})) return true;
  const std::optional<std::string> text = ReadWholeFile(report);
  if (!text) return true;
  std::vector<std::string> pictures;
  const std::string rewritten = RewritePictureTags(*text, resourceHost, pictures);
  for (const std::string& source : pictures) {
    const fs::path picture = PicturePath(source, report.parent_path());
    if (Exists(picture)) attachments.Add(picture);
  }
  if (rewritten == *text) return true;
  return WriteFileAtomically(report, rewritten);
}

// ---------------------------------------------------------------- composing

ComposedMail ComposeMail(TStall& stable, const MailSelection& sel, MailReports& reports, const TAdresser& contacts,
                         std::string_view dateTag, std::string_view resourceHost) {
  ComposedMail mail;
  for (int k = 0; k < static_cast<int>(sel.stableReports.size()); ++k) {
    if (!sel.stableReports[static_cast<size_t>(k)]) continue;
    const fs::path file = reports.StableReportPath(stable, k);
    // A stable report already written today goes as it stands.
    if (!Exists(file)) reports.SaveStableReport(stable, k);
    if (Exists(file)) mail.attachments.Add(file);
  }
  if (sel.includeStableFile && stable.Save() && Exists(stable.StableFilePath()))
    mail.attachments.Add(stable.StableFilePath());
  if (sel.stableOwner) {
    const std::string address = contacts.GetEmail(stable.StallEier);
    if (!address.empty()) mail.recipients.push_back(address);
  }

  const std::vector<std::string> names = stable.HorseNames();
  for (size_t i = 0; i < names.size() && i < sel.horses.size(); ++i) {
    if (!sel.horses[i]) continue;
    THest* horse = stable.HorseByName(names[i]);
    if (!horse) continue;
    for (int item = 0; item < kHorseMailItemCount; ++item) {
      if (!sel.horseReports[static_cast<size_t>(item)]) continue;
      fs::path chart;
      const fs::path file = reports.WriteHorseReport(*horse, item, &chart);
      if (!file.empty() && Exists(file)) {
        mail.attachments.Add(file);
        RewriteReportPictures(file, resourceHost, mail.attachments);
      }
      if (!chart.empty() && Exists(chart)) mail.attachments.Add(chart);
    }
    if (sel.includeHorseFile && stable.SaveHorse(*horse) && Exists(stable.HorseFilePath(*horse)))
      mail.attachments.Add(stable.HorseFilePath(*horse));
    if (sel.includeTodaysRations &&
        (sel.horseReports[kItemSimpleFeedPlan] || sel.horseReports[kItemFeedPlanGraphics]))
      for (const fs::path& f : TodaysFeedingPlanFiles(stable.HorseDirectory(*horse), dateTag)) mail.attachments.Add(f);
    if (sel.horseOwner) {
      const std::string address = contacts.GetEmail(horse->EierNavn);
      if (!address.empty()) mail.recipients.push_back(address);
    }
  }
  return mail;
}

// ---------------------------------------------------------------- hand-off

bool UsableMailAddress(std::string_view a) {
  if (a.empty() || a.front() == '-' || a.find('@') == std::string_view::npos) return false;
  if (a.size() >= 7 && SameText(a.substr(0, 7), "mailto:")) return false;
  for (char c : a) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= ' ' || u == 127) return false;
  }
  return true;
}

MailHandOff LimitMail(const std::vector<std::string>& recipients, const std::vector<fs::path>& attachments) {
  MailHandOff h;
  h.recipients.assign(recipients.begin(), recipients.begin() + static_cast<std::ptrdiff_t>(
                                                                   std::min(recipients.size(), kMaxMailRecipients)));
  h.attachments.assign(attachments.begin(), attachments.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                                      attachments.size(), kMaxMailAttachments)));
  if (recipients.size() > kMaxMailRecipients)
    h.notices.push_back("You have " + std::to_string(recipients.size()) +
                        " recipients. Only 10 will be used with this mail" +
                        "Please resend mail with missing recipients!");
  if (attachments.size() > kMaxMailAttachments)
    h.notices.push_back("You have " + std::to_string(attachments.size()) +
                        " attachments. Only 25 will be sent with this mail");
  return h;
}

std::vector<std::string> MailProgramArguments(std::string_view subject, std::string_view body,
                                              const std::vector<std::string>& recipients,
                                              const std::vector<fs::path>& attachments,
                                              std::vector<std::string>* refused) {
  std::vector<std::string> args{"--utf8"};
  if (!subject.empty()) {
    args.emplace_back("--subject");
    args.push_back(Cp1252ToUtf8(subject));
  }
  if (!body.empty()) {
    args.emplace_back("--body");
    args.push_back(Cp1252ToUtf8(body));
  }
  for (const fs::path& f : attachments) {
    args.emplace_back("--attach");
    std::error_code ec;
    const fs::path absolute = fs::absolute(f, ec);
    args.push_back((ec ? f : absolute).string());
  }
  for (const std::string& r : recipients) {
    if (UsableMailAddress(r)) {
      args.push_back(Cp1252ToUtf8(r));
    } else if (refused) {
      refused->push_back(r);
    }
  }
  return args;
}

std::string MailResultMessage(int result) {
  if (result == 0) return {};
  return Tr(kMailSendError) + " (" + std::to_string(result) + ")";
}

}  // namespace stallora
