#pragma once
// The machine-dependent facts the library needs (today's date, regional settings, how to
// tell the user something) come in through these seams, so tests and the command-line
// tool can fix them.

#include <string>
#include <string_view>
#include <vector>

#include "core/daynum.h"

namespace stallora {

class Clock {
 public:
  virtual ~Clock() = default;
  // Now as a day number with the time of day as fraction.
  virtual DayNumber Now() const = 0;
  // Today at midnight.
  DayNumber Today() const;
};

class SystemClock final : public Clock {
 public:
  DayNumber Now() const override;
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(DayNumber now) : now_(now) {}
  DayNumber Now() const override { return now_; }
  void Set(DayNumber now) { now_ = now; }

 private:
  DayNumber now_;
};

// The user's regional settings. Texts are Windows-1252.
struct Regional {
  std::string shortDateFormat = "dd-mm-yyyy";
  char decimalSeparator = ',';
  std::string currencySymbol = "kr";
  std::string languageAbbreviation = "DAN";

  std::string FormatShortDate(DayNumber value) const { return FormatDateTime(shortDateFormat, value); }
};

// How the library talks to the user. Texts are Windows-1252.
class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Inform(const std::string& text) = 0;
  virtual void Error(const std::string& text) = 0;
  // A yes/no (or OK/Cancel) question; true for yes.
  virtual bool Confirm(const std::string& text) = 0;
};

// Keeps every message; questions are answered from a preset answer.
class RecordingMessages final : public Messages {
 public:
  struct Entry {
    enum Kind { kInform, kError, kConfirm } kind;
    std::string text;
  };
  void Inform(const std::string& text) override { entries.push_back({Entry::kInform, text}); }
  void Error(const std::string& text) override { entries.push_back({Entry::kError, text}); }
  bool Confirm(const std::string& text) override {
    entries.push_back({Entry::kConfirm, text});
    return answer;
  }
  std::vector<Entry> entries;
  bool answer = true;
};

// Writes messages to standard error as UTF-8, every CR or CR LF as one line feed; questions
// are answered with `answer`.
class StderrMessages final : public Messages {
 public:
  explicit StderrMessages(bool answer = false) : answer_(answer) {}
  void Inform(const std::string& text) override;
  void Error(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  // How many errors were reported so far (a command that reported one ends with status 1).
  int ErrorCount() const { return errors_; }

 private:
  bool answer_;
  int errors_ = 0;
};

// Windows-1252 text for a terminal: UTF-8, with CR LF and a lone CR as LF.
std::string TerminalText(std::string_view text);

}  // namespace stallora
