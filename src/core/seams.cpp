#include "core/seams.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "core/cp1252.h"

namespace stallora {

DayNumber Clock::Today() const { return std::floor(Now()); }

DayNumber SystemClock::Now() const {
  // Local wall-clock time, as the user reads it.
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, local.tm_sec);
}

std::string TerminalText(std::string_view text) {
  // The library's line breaks are CR (message boxes) or CR LF (files); a raw CR on a
  // terminal sends the cursor back over the line.
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r')
      out += text[i];
    else if (i + 1 >= text.size() || text[i + 1] != '\n')
      out += '\n';
  }
  return Cp1252ToUtf8(out);
}

void StderrMessages::Inform(const std::string& text) { std::fprintf(stderr, "%s\n", TerminalText(text).c_str()); }

void StderrMessages::Error(const std::string& text) {
  ++errors_;
  std::fprintf(stderr, "%s\n", TerminalText(text).c_str());
}

bool StderrMessages::Confirm(const std::string& text) {
  std::fprintf(stderr, "%s [%s]\n", TerminalText(text).c_str(), answer_ ? "yes" : "no");
  return answer_;
}

}  // namespace stallora
