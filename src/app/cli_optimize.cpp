// optimize: the ration balancer on a horse file. Prints the proposal; changes nothing.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "app/cli_commands.h"
#include "core/cp1252.h"
#include "core/objtext.h"
#include "ration/optimizer.h"
#include "ration/optimizer_texts.h"
#include "stable/stall.h"

namespace stallora::cli {
namespace {

std::string Number(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

std::string Key(const LimitId& id) {
  switch (id.subject) {
    case LimitSubject::kDryMatter: return "MaksTorrstoff";
    case LimitSubject::kRoughage: return "MinGrovfor";
    default: return std::to_string(id.nutrient);
  }
}

void PrintLimit(Env& env, const char* kind, const LimitReport& r, const ExplainContext& ctx, bool withBest) {
  env.out << kind << "\t" << Key(r.id) << "\t" << Cp1252ToUtf8(LimitName(r.id, ctx)) << "\t"
          << (r.id.upper ? "max" : "min") << "\t" << Number(r.limit) << "\t" << Number(r.supply);
  if (withBest) env.out << "\t" << Number(r.best);
  env.out << "\t" << Cp1252ToUtf8(r.text) << "\n";
}

// NAME=KG
bool NameAndKg(const std::string& text, std::string& name, double& kg) {
  const size_t eq = text.rfind('=');
  if (eq == std::string::npos || eq == 0) return false;
  name = Utf8ToCp1252(text.substr(0, eq));
  const std::string number = text.substr(eq + 1);
  char* end = nullptr;
  kg = std::strtod(number.c_str(), &end);
  return !number.empty() && *end == 0 && kg >= 0 && std::isfinite(kg);
}

}  // namespace

int CmdOptimize(Env& env, const std::vector<std::string>& args) {
  if (args.empty()) return Usage(env.err, "optimize needs HORSE");
  BalanceObjective objective = BalanceObjective::kLeastCost;
  bool allFeeds = false;
  std::string feedListFile;
  struct Bound {
    enum { kLock, kMin, kMax } kind;
    std::string name;
    double kg;
  };
  std::vector<Bound> bounds;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--all-feeds") {
      allFeeds = true;
    } else if (a == "--feed-list" && i + 1 < args.size()) {
      feedListFile = args[++i];
      allFeeds = true;
    } else if (a == "--objective" && i + 1 < args.size()) {
      const std::string& v = args[++i];
      if (v == "cost") objective = BalanceObjective::kLeastCost;
      else if (v == "balance") objective = BalanceObjective::kClosestToRequirement;
      else return Usage(env.err, "--objective is cost or balance");
    } else if (a == "--lock" && i + 1 < args.size()) {
      bounds.push_back({Bound::kLock, Utf8ToCp1252(args[++i]), 0});
    } else if ((a == "--min" || a == "--max") && i + 1 < args.size()) {
      Bound b{a == "--min" ? Bound::kMin : Bound::kMax, {}, 0};
      if (!NameAndKg(args[++i], b.name, b.kg)) return Usage(env.err, a + " needs FEED=KG");
      bounds.push_back(b);
    } else {
      return Usage(env.err, "unknown optimize argument " + a);
    }
  }
  auto s = Open(env);
  if (!s || !LoadHorse(env, *s, args[0])) return 1;
  THest& h = *s->horse;
  const TForListe* list = s->stable ? s->stable->ForListe.get() : nullptr;
  // Another feed list to choose from, as the ration page offers besides the stable's.
  TForListe other(s->app->Env());
  if (!feedListFile.empty()) {
    try {
      other.LoadFromFile(std::filesystem::absolute(feedListFile));
    } catch (const ObjTextError& e) {
      return Fail(env, e.what());
    }
    list = &other;
  }
  if (allFeeds && !list) return Fail(env, Tr(kBalNoFeedList));

  BalanceRequest req = MakeBalanceRequest(h, list, allFeeds);
  for (const Bound& b : bounds) {
    auto it = std::find_if(req.feeds.begin(), req.feeds.end(), [&](const CandidateFeed& c) { return c.name == b.name; });
    if (it == req.feeds.end()) return Usage(env.err, "no candidate feed named " + Cp1252ToUtf8(b.name));
    if (b.kind == Bound::kLock) {
      it->locked = true;
      it->lockedKg = it->currentKg;
    } else if (b.kind == Bound::kMin) {
      it->minKg = b.kg;
    } else {
      it->maxKg = b.kg;
    }
  }
  req.objective = objective;
  const BalanceResult res = BalanceRation(h, req, *MakeGlpkSolver());
  if (!res.HasProposal()) return Fail(env, res.message);

  const ExplainContext ctx{h.env->settings, h.env->regional.decimalSeparator};
  auto& o = env.out;
  o << "Status\t" << (res.status == BalanceStatus::kBalanced ? "balanced" : "closest") << "\n";
  o << "Message\t" << Cp1252ToUtf8(res.message) << "\n";
  o << "Objective\t" << (objective == BalanceObjective::kLeastCost ? "cost" : "balance") << "\n";
  for (const FeedProposal& p : res.feeds) {
    const CandidateFeed& c = req.feeds[static_cast<size_t>(p.feed)];
    const char* bound = c.grazing ? "grazing" : p.locked ? "locked" : p.atMin ? "min" : p.atMax ? "max" : "";
    o << "Feed\t" << Cp1252ToUtf8(c.name) << "\t" << Number(p.oldKg) << "\t" << Number(p.newKg) << "\t"
      << Number(c.price) << "\t" << Number(p.cost) << "\t" << bound << "\n";
  }
  o << "Cost\t" << Number(res.oldCost) << "\t" << Number(res.cost) << "\n";
  for (const LimitReport& r : res.binding) PrintLimit(env, "Binding", r, ctx, false);
  for (const LimitReport& r : res.unmet) PrintLimit(env, "Unmet", r, ctx, true);
  for (const LimitReport& r : res.accepted) PrintLimit(env, "Accepted", r, ctx, false);

  // The evaluation's own verdict on the proposal (the horse file is not touched).
  const ProposalCheck check = CheckProposal(h, list, req, res);
  std::string verdict;
  for (int i : check.flagged) verdict += (verdict.empty() ? "" : ",") + std::to_string(i);
  if (!check.roughageAcceptable) verdict += (verdict.empty() ? "" : ",") + std::string("Grovforvurdering");
  if (!check.dryMatterWithin) verdict += (verdict.empty() ? "" : ",") + std::string("MaksTorrstoff");
  o << "Evaluation\t" << (verdict.empty() ? "OK" : "flagged\t" + verdict) << "\n";
  return 0;
}

}  // namespace stallora::cli
