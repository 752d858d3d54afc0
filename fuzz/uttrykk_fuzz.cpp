// Requirement formulas on arbitrary bytes: evaluation may fail, but must never crash, hang
// or read out of bounds, and what it reports must hold together: a success carries a
// finite number (or a truth value as 0/1) and no message, a failure carries exactly one
// message in the usual form, and evaluating again gives the same outcome.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/seams.h"
#include "nutrition/uttrykk.h"

using namespace stallora;

namespace {

struct FixedSubject final : FormulaSubject {
  double BodyWeight() const override { return 487.5; }
  int PregnancyMonth() const override { return 7; }
  int LactationMonth() const override { return 1; }
  int AgeMonths() const override { return 0; }
  double ExpectedDailyGain() const override { return 0.55; }
  int TrainingIntensity() const override { return 1; }
  bool YoungHorseTrained() const override { return true; }
  double MilkProduction() const override { return 487.5 * 0.0326; }
  double SweatLoss() const override { return 487.5 * 0.005; }
  int MaintenanceLevel() const override { return 2; }
  double Requirement(int n) const override { return n >= 0 && n < 24 ? 10.0 + n : 0; }
};

[[noreturn]] void Die(const char* what, std::string_view message) {
  std::fprintf(stderr, "%s\n%.*s\n", what, int(message.size()), message.data());
  std::abort();
}

void Check(const UttrykkResultat& r) {
  if (r.ok) {
    if (!r.message.empty()) Die("success with a message", r.message);
    if (r.isTruthValue ? (r.value != 0 && r.value != 1) : !std::isfinite(r.value)) {
      Die("success with an unusable value", {});
    }
    return;
  }
  constexpr std::string_view kHead = "Error: ";
  constexpr std::string_view kTail = "[error in preceeding symbols]";
  const std::string& m = r.message;
  if (m.size() < kHead.size() + kTail.size() || m.compare(0, kHead.size(), kHead) != 0 ||
      m.compare(m.size() - kTail.size(), kTail.size(), kTail) != 0 ||
      m.find(", Pos = ") == std::string::npos) {
    Die("malformed message", m);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  static const FixedSubject subject;
  for (int nutrientNo : {0, 3}) {
    const TUttrykk u(text, nutrientNo);
    const UttrykkResultat first = u.Evaluer(subject, true, nullptr);
    Check(first);
    RecordingMessages messages;
    const UttrykkResultat second = u.Evaluer(subject, false, &messages);
    if (second.ok != first.ok || second.message != first.message ||
        (first.ok && second.value != first.value)) {
      Die("second evaluation differs", first.message);
    }
    if (messages.entries.size() != (first.ok ? 0u : 1u)) Die("wrong number of messages", {});
  }
  return 0;
}
