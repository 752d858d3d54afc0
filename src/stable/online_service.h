#pragma once
// The online resource service: the version file that tells whether a newer program or a
// newer guarantee feed list exists, the download of that list into the workspace, and the
// month's splash picture. The service is a plain web server that is only ever read; the
// transport is an interface (HttpClient) so the rules here can be tested without a network.
//
// Everything that arrives from the server is outside input: the version file is parsed
// defensively, the offered file name is checked before it becomes a local file name or a
// URL, and a download becomes a workspace file only after it was complete and read back as
// what it claims to be.

#include "core/version.h"
#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/texts.h"
#include "core/common_texts.h"

namespace stallora {

class AppContext;
class TForListe;
class Workspace;

inline constexpr const Text& kUpgradeTo = common::kOpgraderTilVersion;
inline constexpr const Text& kGetNewestList = common::kHentDenSenesteFoderliste;
inline constexpr Text kNewestListFetched{"online.fetched", "Seneste garantifoderliste er hentet fra internet"};
inline constexpr Text kUpdatingAnalyses{"online.updating",
                                        "Nu opdateres analyseværdierne  for staldens og hestenes foderlister"};
inline constexpr Text kOfferedNameRefused{"online.namerefused", "Filnavnet fra opdateringstjenesten kan ikke bruges"};
inline constexpr Text kNotAGuaranteeList{"online.notguarantee",
                                         "Den hentede fil er ikke en garantifoderliste og er slettet"};
inline constexpr Text kDownloadNotStored{"online.notstored", "Den hentede fil kunne ikke gemmes"};
inline constexpr Text kWrongListVersion{"online.wrongversion",
                                        "Den hentede foderliste har ikke den tilbudte version og er slettet"};
inline constexpr Text kOffered{"online.offered", "tilbudt"};
inline constexpr Text kCurrentList{"online.currentlist", "nuværende"};

// The program's own version, as the version file is compared with it (from the build).
inline constexpr double kOwnProgramVersion = kProgramVersionNumber;
inline constexpr std::string_view kOwnProgramVersionText = kProgramVersionText;
inline constexpr std::string_view kVersionFileName = "currentversion.txt";
// The client's header setting, quoted in the failure message.
inline constexpr std::string_view kHttpHeaderFile = "Head.txt";

// What currentversion.txt says. Only its first two lines count.
struct VersionFile {
  bool hasVersionLine = false;
  std::string versionText;              // line 1 unchanged (a trailing CR removed)
  double version = kOwnProgramVersion;  // line 1 as a number; the own version when it is none

  enum class ListLine { Absent, Offered, Malformed };
  ListLine listLine = ListLine::Absent;
  int listVersion = 0;   // the offered guarantee list's version
  std::string listFile;  // its file name on the service: everything after the first blank
  std::string problem;   // for Malformed: "'x' is not a valid integer value"
};

// Reads the version file's text (any line ends; a UTF-8 byte-order mark is skipped).
VersionFile ParseVersionFile(std::string_view text);

// A decimal number with a point as separator and nothing else (blanks around it allowed);
// nothing for any other text, and for infinities and NaN.
std::optional<double> ParsePointNumber(std::string_view text);
// A whole number in the range of a 32-bit integer, optionally signed, nothing else (no
// blanks).
std::optional<int> ParseWholeNumber(std::string_view text);

// Why a file name offered by the service cannot be stored in the feed directory and fetched
// from the server, or nothing when it can: empty names, names starting with a full stop,
// names holding "/", "\", ".." or control characters, names longer than 255 bytes, and
// names that do not end in ".eqf" (the scan reads no other name, so the list would be lost
// at the next start).
std::optional<std::string> ValidateOfferedFileName(std::string_view name);

// A file name (Windows-1252) as one path segment of a URL: UTF-8, every byte but the
// unreserved ASCII characters percent-encoded.
std::string PercentEncodePathSegment(std::string_view cp1252);

// The host part of an address ("https://user@host:8080/x/" -> "host:8080"); empty when the
// address has none.
std::string HostOfAddress(std::string_view address);

// "01splash.jpg" ... "12splash.jpg".
std::string SplashFileName(int month);

// The links of the main window's information panel.
std::string UpgradeLinkText(const std::string& offeredVersionText);
std::string GetNewestListLinkText(int offeredListVersion);

// The message of a fetch into a file that failed.
std::string HttpFailureMessage(const std::filesystem::path& target);

// The transport. Both calls wait until the answer is complete or has failed; a request that
// takes longer than `timeout` has failed. Only a complete answer with a 2xx status counts.
// A redirect is followed only to the same scheme, host and port as the request's.
class HttpClient {
 public:
  virtual ~HttpClient() = default;
  // The body, or nothing with `error` set.
  virtual std::optional<std::string> Get(const std::string& url, std::chrono::milliseconds timeout,
                                         std::string* error) = 0;
  // Writes the body to `file`. False with `error` set when it did not arrive completely;
  // no file is then left at `file`.
  virtual bool GetToFile(const std::string& url, const std::filesystem::path& file,
                         std::chrono::milliseconds timeout, std::string* error) = 0;
};

struct ServiceTimeouts {
  std::chrono::milliseconds versionFile{10'000};
  std::chrono::milliseconds splashPicture{20'000};
  std::chrono::milliseconds guaranteeList{60'000};
};

// The service's client side, one per run. It keeps the online flags in the application
// context. All of it runs on the one user-interface thread.
class OnlineService {
 public:
  OnlineService(AppContext& app, HttpClient& http);

  ServiceTimeouts timeouts;
  // Told when a download starts and ends (the windows disable the command and show the
  // wait cursor).
  std::function<void(bool busy)> onBusyChanged;

  // Fetches the country's version file and keeps it; the program is online when it arrived.
  bool OnlineTest();

  // Reads the kept version file into the application's flags and discards it. A later
  // check (after the save directory changed) keeps the offer of the first one and only
  // compares it with the workspace's current guarantee list again. A malformed list line
  // is reported and counts as no offer; the rest of the start goes on.
  void VersionCheck(const TForListe* currentGuarantee);

  enum class FetchResult {
    NotOnline,     // offline, or nothing offered: nothing done
    AlreadyThere,  // a file of the offered name is in the feed directory: nothing done
    Busy,          // a download is running already
    Refused,       // the offered name cannot be used (reported)
    Failed,        // the download failed or was not a guarantee list (reported, nothing kept)
    Done,
  };
  // Downloads the offered guarantee list into the feed directory, makes it the current one
  // in place of the old, and brings the workspace up to date and saves it. A download whose
  // GarantiForlisteVersjon is not the offered version, or not newer than the current
  // list's, is refused (reported, nothing kept).
  FetchResult GetNewestGuaranteeList(Workspace& workspace);

  // The month's splash picture: from the images directory, else fetched from the service
  // when online. The picture's path, or empty when there is none.
  std::filesystem::path RefreshSplashPicture(int month);

  bool Busy() const { return busy_; }
  // Line 1 of the version file as it stood (for the upgrade link); empty before a check.
  const std::string& OfferedVersionText() const { return offeredVersionText_; }
  bool HasKeptVersionFile() const { return kept_.has_value(); }
  // The transport's reason for the last failed request (for logs and the command line).
  const std::string& LastTransportError() const { return lastError_; }

 private:
  void SetBusy(bool busy);
  // Fetches into a hidden temporary file beside `target`; `accept` checks it before it is
  // renamed into place. False when nothing was stored.
  bool FetchIntoFile(const std::string& url, const std::filesystem::path& target, std::chrono::milliseconds timeout,
                     const std::function<bool(const std::filesystem::path&)>& accept);

  AppContext& app_;
  HttpClient& http_;
  std::optional<std::string> kept_;
  std::optional<VersionFile> checked_;
  std::string offeredVersionText_;
  bool busy_ = false;
  std::string lastError_;
};

}  // namespace stallora
