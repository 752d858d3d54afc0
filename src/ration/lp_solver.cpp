#include "ration/lp_solver.h"

#include <glpk.h>

#include <cmath>
#include <csetjmp>

namespace stallora {

int LpProblem::AddColumn(double lo, double hi, double cost) {
  columns.push_back({lo, hi, cost});
  return static_cast<int>(columns.size()) - 1;
}

int LpProblem::AddRow(std::vector<std::pair<int, double>> terms, double lo, double hi) {
  rows.push_back({std::move(terms), lo, hi});
  return static_cast<int>(rows.size()) - 1;
}

double LpProblem::Activity(int row, const std::vector<double>& x) const {
  double sum = 0;
  for (const auto& [column, a] : rows[static_cast<size_t>(row)].terms) sum += a * x[static_cast<size_t>(column)];
  return sum;
}

namespace {

int BoundType(double lo, double hi) {
  const bool hasLo = std::isfinite(lo), hasHi = std::isfinite(hi);
  if (hasLo && hasHi) return lo == hi ? GLP_FX : GLP_DB;
  if (hasLo) return GLP_LO;
  if (hasHi) return GLP_UP;
  return GLP_FR;
}

double Finite(double v) { return std::isfinite(v) ? v : 0; }

// GLPK ends the process on arguments it refuses; the problem is checked here first so
// that such a problem comes back as kFailed instead.
// Numbers beyond this size make GLPK's scaling fail.
constexpr double kLargest = 1e15;

bool Sized(double v) { return std::isinf(v) || std::fabs(v) <= kLargest; }

bool Acceptable(const LpProblem& p, std::string& why) {
  auto bounds = [&](double lo, double hi) {
    return !std::isnan(lo) && !std::isnan(hi) && lo != kLpInfinity && hi != -kLpInfinity && lo <= hi && Sized(lo) &&
           Sized(hi);
  };
  for (const auto& c : p.columns)
    if (!bounds(c.lo, c.hi) || !std::isfinite(c.cost) || !Sized(c.cost)) {
      why = "column bounds or cost not usable";
      return false;
    }
  std::vector<int> seen(p.columns.size(), -1);
  for (size_t r = 0; r < p.rows.size(); ++r) {
    const auto& row = p.rows[r];
    if (!bounds(row.lo, row.hi)) {
      why = "row bounds not usable";
      return false;
    }
    for (const auto& [column, a] : row.terms) {
      if (column < 0 || static_cast<size_t>(column) >= p.columns.size() || !std::isfinite(a) || !Sized(a) ||
          seen[static_cast<size_t>(column)] == static_cast<int>(r)) {
        why = "row term not usable";
        return false;
      }
      seen[static_cast<size_t>(column)] = static_cast<int>(r);
    }
  }
  return true;
}

// The problem in GLPK's 1-based arrays, made before GLPK is called.
struct Arrays {
  std::vector<int> colType, rowType;
  std::vector<double> colLo, colHi, cost, rowLo, rowHi;
  std::vector<int> rowStart, rowLength;  // into index/value, per row
  std::vector<int> index;
  std::vector<double> value;
};

Arrays ArraysOf(const LpProblem& p) {
  Arrays a;
  for (const auto& c : p.columns) {
    a.colType.push_back(BoundType(c.lo, c.hi));
    a.colLo.push_back(Finite(c.lo));
    a.colHi.push_back(Finite(c.hi));
    a.cost.push_back(c.cost);
  }
  // GLPK reads a row's entries from position 1 of the arrays it is handed; each row is
  // handed the arrays from the position before its first entry.
  a.index.assign(1, 0);
  a.value.assign(1, 0);
  for (const auto& row : p.rows) {
    a.rowType.push_back(BoundType(row.lo, row.hi));
    a.rowLo.push_back(Finite(row.lo));
    a.rowHi.push_back(Finite(row.hi));
    a.rowStart.push_back(static_cast<int>(a.index.size()) - 1);
    int length = 0;
    for (const auto& [column, v] : row.terms) {
      if (v == 0) continue;
      a.index.push_back(column + 1);
      a.value.push_back(v);
      ++length;
    }
    a.rowLength.push_back(length);
  }
  return a;
}

struct Outcome {
  int rc = -1;
  int status = 0;
  double objective = 0;
  bool crashed = false;  // GLPK reported an internal error
};

extern "C" void GlpkErrorHook(void* info) { std::longjmp(*static_cast<std::jmp_buf*>(info), 1); }
extern "C" int GlpkQuiet(void*, const char*) { return 1; }

// Only plain data lives in this frame, so that GLPK's error path can jump back into it: by
// default GLPK ends the process on an internal error, which a ration must never do.
Outcome RunGlpk(const Arrays& a, int milliseconds, int iterations, double* x) {
  Outcome out;
  std::jmp_buf jump;
  glp_term_hook(GlpkQuiet, nullptr);
  glp_error_hook(GlpkErrorHook, &jump);
  if (setjmp(jump) != 0) {
    // GLPK's memory, the problem included, goes with its environment.
    glp_free_env();
    Outcome failed;
    failed.crashed = true;
    return failed;
  }
  glp_prob* lp = glp_create_prob();
  glp_set_obj_dir(lp, GLP_MIN);
  const int n = static_cast<int>(a.colType.size());
  const int m = static_cast<int>(a.rowType.size());
  glp_add_cols(lp, n);
  for (int j = 0; j < n; ++j) {
    glp_set_col_bnds(lp, j + 1, a.colType[static_cast<size_t>(j)], a.colLo[static_cast<size_t>(j)],
                     a.colHi[static_cast<size_t>(j)]);
    glp_set_obj_coef(lp, j + 1, a.cost[static_cast<size_t>(j)]);
  }
  if (m > 0) glp_add_rows(lp, m);
  for (int i = 0; i < m; ++i) {
    const auto k = static_cast<size_t>(i);
    glp_set_row_bnds(lp, i + 1, a.rowType[k], a.rowLo[k], a.rowHi[k]);
    const int start = a.rowStart[k];
    glp_set_mat_row(lp, i + 1, a.rowLength[k], a.index.data() + start, a.value.data() + start);
  }
  // Analysis values run from thousandths of a milligram to millions of units; scaling
  // keeps the simplex's tolerances meaningful across them.
  glp_scale_prob(lp, GLP_SF_AUTO);
  glp_smcp parm;
  glp_init_smcp(&parm);
  parm.msg_lev = GLP_MSG_OFF;
  parm.presolve = GLP_OFF;  // without it an infeasible problem still reports its status
  parm.tm_lim = milliseconds > 0 ? milliseconds : 1;
  parm.it_lim = iterations > 0 ? iterations : 0;
  out.rc = glp_simplex(lp, &parm);
  if (out.rc == 0) {
    out.status = glp_get_status(lp);
    out.objective = glp_get_obj_val(lp);
    for (int j = 0; j < n; ++j) x[j] = glp_get_col_prim(lp, j + 1);
  }
  glp_delete_prob(lp);
  glp_error_hook(nullptr, nullptr);
  glp_term_hook(nullptr, nullptr);
  return out;
}

class GlpkSolver final : public LpSolver {
 public:
  LpSolution Solve(const LpProblem& p, const LpBudget& budget) const override {
    LpSolution s;
    if (!Acceptable(p, s.detail)) return s;
    if (p.columns.empty()) {
      s.status = LpStatus::kOptimal;
      for (const auto& row : p.rows)
        if (row.lo > 0 || row.hi < 0) s.status = LpStatus::kInfeasible;
      return s;
    }
    const Arrays arrays = ArraysOf(p);
    std::vector<double> x(p.columns.size());
    const Outcome out = RunGlpk(arrays, budget.milliseconds, budget.iterations, x.data());
    if (out.crashed) {
      s.detail = "GLPK reported an internal error";
      return s;
    }
    switch (out.rc) {
      case 0:
        if (out.status == GLP_OPT) {
          s.status = LpStatus::kOptimal;
          s.objective = out.objective;
          s.x = std::move(x);
        } else if (out.status == GLP_NOFEAS || out.status == GLP_INFEAS) {
          s.status = LpStatus::kInfeasible;
        } else if (out.status == GLP_UNBND) {
          s.status = LpStatus::kUnbounded;
        } else {
          s.detail = "simplex ended with status " + std::to_string(out.status);
        }
        break;
      case GLP_ETMLIM: s.status = LpStatus::kTimeLimit; break;
      case GLP_EITLIM: s.status = LpStatus::kIterationLimit; break;
      default: s.detail = "glp_simplex returned " + std::to_string(out.rc); break;
    }
    return s;
  }
};

}  // namespace

std::unique_ptr<LpSolver> MakeGlpkSolver() { return std::make_unique<GlpkSolver>(); }

}  // namespace stallora
