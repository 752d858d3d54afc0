#pragma once
// What a mail carries before it is handed to the desktop's mail program: the attachment
// list, the owners' addresses, today's feeding plans, the rewrite that lets a mailed report
// find its pictures, the limits on recipients and attachments and the hand-off's arguments.
// The mail program itself is started by the net module.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/seams.h"
#include "core/texts.h"

namespace stallora {

class TAdresser;
class THest;
class TStall;

inline constexpr Text kMailSendError{"mail.senderror", "Fejl ved sending af epost"};
inline constexpr Text kMailAddressLeftOut{"mail.addressleftout",
                                          "Adressen kan ikke gives videre til postprogrammet og er udeladt"};

inline constexpr size_t kMaxMailRecipients = 10;
inline constexpr size_t kMaxMailAttachments = 25;

// The horse reports of the mail window, in list order; the code is the start of the
// report's file name.
inline constexpr int kHorseMailItemCount = 8;
inline constexpr std::array<std::string_view, kHorseMailItemCount> kHorseMailItemCodes = {"00", "08", "01", "02",
                                                                                         "03", "04", "05", "06"};
// Items whose ticking, with "today's feeding plans", attaches every feeding plan of today.
inline constexpr int kItemSimpleFeedPlan = 1;
inline constexpr int kItemFeedPlanGraphics = 3;

// Full file paths, sorted by path (without regard to case); adding a path that is there
// already does nothing.
class AttachmentList {
 public:
  bool Add(const std::filesystem::path& file);
  void Clear() { files_.clear(); }
  bool Empty() const { return files_.empty(); }
  size_t Size() const { return files_.size(); }
  const std::vector<std::filesystem::path>& Files() const { return files_; }
  bool Contains(const std::filesystem::path& file) const;

 private:
  std::vector<std::filesystem::path> files_;
};

// Which horse report items start ticked: item i when the file name of some attachment
// begins with its code (a window opened with a feeding plan ticks "Foderplan").
std::array<bool, kHorseMailItemCount> HorseItemsForAttachments(const AttachmentList& list);

// Today's date in the short date format with every "." and "/" removed, as report file
// names carry it.
std::string ReportDateTag(const Regional& regional, DayNumber today);

// The feeding plans and requirement pages of today in a horse's directory: the "*.htm"
// files whose name begins with "01" or "03" and contains the date tag.
std::vector<std::filesystem::path> TodaysFeedingPlanFiles(const std::filesystem::path& horseDirectory,
                                                          std::string_view dateTag);

// ---- the picture-tag rewrite of an attached report ----

// Rewrites the picture tags of one line (no line breaks in it): each `<IMG SRC="path"...>`
// (compared without regard to ASCII case) gets the picture's bare file name as its source
// and the path is collected in `pictures`; a tag that names the resource server's host is
// kept as it is. A tag without its closing quote or its ">" is left alone, and so is the
// rest of the line after it.
std::string RewritePictureTagsInLine(std::string_view line, std::string_view resourceHost,
                                     std::vector<std::string>& pictures);

// The same over a whole text; line ends stay byte for byte.
std::string RewritePictureTags(std::string_view text, std::string_view resourceHost,
                               std::vector<std::string>& pictures);

// Rewrites an HTML or text report in place and attaches the pictures it refers to that
// exist (a relative source counts from the report's directory). Picture files and missing
// files are left alone. False when the report could not be written back.
bool RewriteReportPictures(const std::filesystem::path& report, std::string_view resourceHost,
                           AttachmentList& attachments);

// ---- "Skriv meddelelse" of the mail window ----

// The ticks of the mail window.
struct MailSelection {
  std::array<bool, 5> stableReports{};  // by stable report kind
  bool includeStableFile = false;
  bool stableOwner = false;
  std::vector<bool> horses;  // parallel to the stable's HorseNames()
  std::array<bool, kHorseMailItemCount> horseReports{};
  bool includeHorseFile = false;
  bool includeTodaysRations = false;
  bool horseOwner = false;
};

// The reports the window writes (the report modules own their contents).
class MailReports {
 public:
  virtual ~MailReports() = default;
  // The file of a stable report of today, and writing it.
  virtual std::filesystem::path StableReportPath(TStall& stable, int kind) = 0;
  virtual void SaveStableReport(TStall& stable, int kind) = 0;
  // Writes horse report item `item` (0..7) and returns its file's path; `chartPicture`
  // receives the weight chart's picture when the weight page included one.
  virtual std::filesystem::path WriteHorseReport(THest& horse, int item, std::filesystem::path* chartPicture) = 0;
};

struct ComposedMail {
  std::vector<std::string> recipients;  // duplicates kept: one per ticked horse of an owner
  AttachmentList attachments;
};

// Writes the ticked reports, saves the ticked data files and gathers the files and the
// owners' addresses. Files that do not exist afterwards are left out without a word.
ComposedMail ComposeMail(TStall& stable, const MailSelection& selection, MailReports& reports,
                         const TAdresser& contacts, std::string_view dateTag, std::string_view resourceHost);

// ---- the hand-off ----

// Whether an address can be given to the mail program as a recipient: not empty, no blank
// or control character, not starting with "-" (it would read as an option) nor with
// "mailto:" (it would replace the whole mail address), and holding an "@".
bool UsableMailAddress(std::string_view address);

// What is handed over after the limits: the first 10 recipients and the first 25
// attachments, with the notices for the user (Windows-1252) when more were given.
struct MailHandOff {
  std::vector<std::string> recipients;
  std::vector<std::filesystem::path> attachments;
  std::vector<std::string> notices;
};
MailHandOff LimitMail(const std::vector<std::string>& recipients, const std::vector<std::filesystem::path>& attachments);

// The arguments of "xdg-email" (UTF-8): "--utf8", the subject and body when given, one
// "--attach" per file, then the recipients. Recipients that cannot be given are left out and
// listed in `refused`.
std::vector<std::string> MailProgramArguments(std::string_view subject, std::string_view body,
                                              const std::vector<std::string>& recipients,
                                              const std::vector<std::filesystem::path>& attachments,
                                              std::vector<std::string>* refused = nullptr);

// The error box of a hand-off's result: empty for 0 (accepted), otherwise "Fejl ved
// sending af epost (n)". The mail program's launcher reports no cancel of its own, so every
// failure, also its status 1 (wrong usage), is shown with its number.
std::string MailResultMessage(int result);

}  // namespace stallora
