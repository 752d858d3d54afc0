#pragma once
// A linear programme and the one thing the ration balancer asks of a solver: solve it within
// a time and an iteration budget. The balancer builds LpProblem values and never sees the
// solver's own types, so another solver can stand in for GLPK behind MakeGlpkSolver.

#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace stallora {

inline constexpr double kLpInfinity = std::numeric_limits<double>::infinity();

// minimise  cost · x  subject to  rowLo ≤ A x ≤ rowHi  and  colLo ≤ x ≤ colHi.
// A bound of ±kLpInfinity is absent; lo == hi fixes the value. Every number must be finite
// apart from those infinite bounds, at most 1e15 in size, and lo ≤ hi; a problem that is
// not comes back kFailed.
struct LpProblem {
  struct Column {
    double lo = 0;
    double hi = kLpInfinity;
    double cost = 0;
  };
  struct Row {
    std::vector<std::pair<int, double>> terms;  // (column, coefficient), each column once
    double lo = -kLpInfinity;
    double hi = kLpInfinity;
  };
  std::vector<Column> columns;
  std::vector<Row> rows;

  int AddColumn(double lo, double hi, double cost);
  int AddRow(std::vector<std::pair<int, double>> terms, double lo, double hi);
  // The row's value for the given column values.
  double Activity(int row, const std::vector<double>& x) const;
};

enum class LpStatus {
  kOptimal,
  kInfeasible,      // no x satisfies the rows and bounds
  kUnbounded,
  kTimeLimit,       // stopped at the time budget before an answer
  kIterationLimit,  // stopped at the iteration budget before an answer
  kFailed,          // numerical trouble or a problem the solver refused
};

struct LpBudget {
  int milliseconds = 2000;
  int iterations = 20000;
};

struct LpSolution {
  LpStatus status = LpStatus::kFailed;
  std::vector<double> x;  // column values, when kOptimal
  double objective = 0;
  std::string detail;     // the solver's own words for kFailed (developer text)
};

class LpSolver {
 public:
  virtual ~LpSolver() = default;
  // Must return within about the budget's time, whatever the problem.
  virtual LpSolution Solve(const LpProblem& problem, const LpBudget& budget) const = 0;
};

// The GLPK simplex, silent on the terminal.
std::unique_ptr<LpSolver> MakeGlpkSolver();

}  // namespace stallora
