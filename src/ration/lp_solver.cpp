#include "ration/lp_solver.h"

#include <glpk.h>

#include <cmath>

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
bool Acceptable(const LpProblem& p, std::string& why) {
  auto bounds = [&](double lo, double hi) {
    return !std::isnan(lo) && !std::isnan(hi) && lo != kLpInfinity && hi != -kLpInfinity && lo <= hi;
  };
  for (const auto& c : p.columns)
    if (!bounds(c.lo, c.hi) || !std::isfinite(c.cost)) {
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
      if (column < 0 || static_cast<size_t>(column) >= p.columns.size() || !std::isfinite(a) ||
          seen[static_cast<size_t>(column)] == static_cast<int>(r)) {
        why = "row term not usable";
        return false;
      }
      seen[static_cast<size_t>(column)] = static_cast<int>(r);
    }
  }
  return true;
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
    glp_term_out(GLP_OFF);
    glp_prob* lp = glp_create_prob();
    glp_set_obj_dir(lp, GLP_MIN);
    const int n = static_cast<int>(p.columns.size());
    glp_add_cols(lp, n);
    for (int j = 0; j < n; ++j) {
      const auto& c = p.columns[static_cast<size_t>(j)];
      glp_set_col_bnds(lp, j + 1, BoundType(c.lo, c.hi), Finite(c.lo), Finite(c.hi));
      glp_set_obj_coef(lp, j + 1, c.cost);
    }
    if (!p.rows.empty()) glp_add_rows(lp, static_cast<int>(p.rows.size()));
    std::vector<int> index;
    std::vector<double> value;
    for (size_t r = 0; r < p.rows.size(); ++r) {
      const auto& row = p.rows[r];
      const int i = static_cast<int>(r) + 1;
      glp_set_row_bnds(lp, i, BoundType(row.lo, row.hi), Finite(row.lo), Finite(row.hi));
      // GLPK's arrays start at index 1.
      index.assign(1, 0);
      value.assign(1, 0);
      for (const auto& [column, a] : row.terms) {
        if (a == 0) continue;
        index.push_back(column + 1);
        value.push_back(a);
      }
      glp_set_mat_row(lp, i, static_cast<int>(index.size()) - 1, index.data(), value.data());
    }
    // Analysis values run from thousandths of a milligram to millions of units; scaling
    // keeps the simplex's tolerances meaningful across them.
    glp_scale_prob(lp, GLP_SF_AUTO);
    glp_smcp parm;
    glp_init_smcp(&parm);
    parm.msg_lev = GLP_MSG_OFF;
    parm.presolve = GLP_OFF;  // without it an infeasible problem still reports its status
    parm.tm_lim = budget.milliseconds > 0 ? budget.milliseconds : 1;
    parm.it_lim = budget.iterations > 0 ? budget.iterations : 0;
    const int rc = glp_simplex(lp, &parm);
    switch (rc) {
      case 0: {
        const int status = glp_get_status(lp);
        if (status == GLP_OPT) {
          s.status = LpStatus::kOptimal;
          s.objective = glp_get_obj_val(lp);
          s.x.resize(static_cast<size_t>(n));
          for (int j = 0; j < n; ++j) s.x[static_cast<size_t>(j)] = glp_get_col_prim(lp, j + 1);
        } else if (status == GLP_NOFEAS || status == GLP_INFEAS) {
          s.status = LpStatus::kInfeasible;
        } else if (status == GLP_UNBND) {
          s.status = LpStatus::kUnbounded;
        } else {
          s.detail = "simplex ended with status " + std::to_string(status);
        }
        break;
      }
      case GLP_ETMLIM: s.status = LpStatus::kTimeLimit; break;
      case GLP_EITLIM: s.status = LpStatus::kIterationLimit; break;
      default: s.detail = "glp_simplex returned " + std::to_string(rc); break;
    }
    glp_delete_prob(lp);
    return s;
  }
};

}  // namespace

std::unique_ptr<LpSolver> MakeGlpkSolver() { return std::make_unique<GlpkSolver>(); }

}  // namespace stallora
