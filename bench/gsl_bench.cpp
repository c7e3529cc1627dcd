// SPDX-License-Identifier: GPL-3.0-or-later
// GSL's bisection, false position, Newton and secant solvers on the problem of
// the method benchmarks: the default equation cos(l·x)·k with k = l = 1, the
// interval [1, 2] (Newton and the secants start at 1), the same tolerance and
// the same pass limits. Each runs twice: on the equation written in double with
// glibc's double sine and cosine, as a GSL user would write it, and on our f
// and f_, which isolates the cost of the solvers' own loops.
//
// GSL refuses a negative tolerance, so the "caps" case runs its solvers without
// a stopping test for as many passes as ours make (5001 for bisection, 5000 for
// the others), or until a solver reports an error. Its stopping tests are its
// own idioms: the bracket width for bisection and false position, the residual
// for Newton, the step for the secants.
#include <benchmark/benchmark.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_roots.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "bench/benchmarks.h"
#include "bench/input_cases.h"
#include "core/equations.h"
#include "core/method_table.h"

namespace bench {

namespace {

constexpr std::uint8_t kDefaultEquation = 0;

// What the solvers' callbacks see: the coefficients, and what they leave for
// the stopping test and the counters.
struct Problem {
  core::Coefficients coefficients = kDesignCoefficients;
  double last_f = 0;
  std::int64_t evaluations = 0;
};

Problem& Of(void* params) {
  return *static_cast<Problem*>(params);
}

double DoubleF(double x, void* params) {
  Problem& p = Of(params);
  ++p.evaluations;
  p.last_f = std::cos(p.coefficients.l * x) * p.coefficients.k;
  return p.last_f;
}

double DoubleDf(double x, void* params) {
  Problem& p = Of(params);
  ++p.evaluations;
  return -p.coefficients.k * p.coefficients.l * std::sin(p.coefficients.l * x);
}

double OurF(double x, void* params) {
  Problem& p = Of(params);
  ++p.evaluations;
  p.last_f = core::f(kDefaultEquation, x, p.coefficients);
  return p.last_f;
}

double OurDf(double x, void* params) {
  Problem& p = Of(params);
  ++p.evaluations;
  return core::f_(kDefaultEquation, x, p.coefficients);
}

template <double (*F)(double, void*), double (*Df)(double, void*)>
void Fdf(double x, void* params, double* f, double* df) {
  *f = F(x, params);
  *df = Df(x, params);
}

struct Functions {
  gsl_function f;
  gsl_function_fdf fdf;
};

Functions DoubleFunctions(Problem& p) {
  return {{&DoubleF, &p}, {&DoubleF, &DoubleDf, &Fdf<DoubleF, DoubleDf>, &p}};
}

Functions OurFunctions(Problem& p) {
  return {{&OurF, &p}, {&OurF, &OurDf, &Fdf<OurF, OurDf>, &p}};
}

enum class Solver { kBisection, kFalsePosition, kNewton, kSecant };

struct SolverCase {
  Solver solver;
  core::Method method;  // our method it stands beside
};

constexpr SolverCase kSolvers[] = {
    {Solver::kBisection, core::kBisection},
    {Solver::kFalsePosition, core::kChords},
    {Solver::kNewton, core::kTangents},
    {Solver::kSecant, core::kSecants},
};

struct Solve {
  int passes = 0;
  int status = GSL_SUCCESS;  // of the pass that ended the solve early, if one did
};

Solve SolveBracketing(gsl_root_fsolver* s, gsl_function& f, double eps, int pass_limit) {
  Solve solve;
  gsl_root_fsolver_set(s, &f, kStart, kEnd);
  while (solve.passes < pass_limit) {
    ++solve.passes;
    solve.status = gsl_root_fsolver_iterate(s);
    if (solve.status != GSL_SUCCESS) break;
    if (eps >= 0 && gsl_root_test_interval(gsl_root_fsolver_x_lower(s), gsl_root_fsolver_x_upper(s),
                                           eps, 0) == GSL_SUCCESS)
      break;
  }
  return solve;
}

Solve SolvePolishing(gsl_root_fdfsolver* s, gsl_function_fdf& fdf, Solver solver, const Problem& p,
                     double eps, int pass_limit) {
  Solve solve;
  gsl_root_fdfsolver_set(s, &fdf, kStart);
  while (solve.passes < pass_limit) {
    ++solve.passes;
    const double previous = gsl_root_fdfsolver_root(s);
    solve.status = gsl_root_fdfsolver_iterate(s);
    if (solve.status != GSL_SUCCESS) break;
    if (eps < 0) continue;
    const double root = gsl_root_fdfsolver_root(s);
    const int test = solver == Solver::kNewton ? gsl_root_test_residual(p.last_f, eps)
                                               : gsl_root_test_delta(root, previous, eps, 0);
    if (test == GSL_SUCCESS) break;
  }
  return solve;
}

// One solver, allocated once and set afresh for every solve.
class GslSolver {
 public:
  explicit GslSolver(Solver solver) : solver_(solver) {
    switch (solver) {
      case Solver::kBisection:
        fsolver_ = gsl_root_fsolver_alloc(gsl_root_fsolver_bisection);
        break;
      case Solver::kFalsePosition:
        fsolver_ = gsl_root_fsolver_alloc(gsl_root_fsolver_falsepos);
        break;
      case Solver::kNewton:
        fdfsolver_ = gsl_root_fdfsolver_alloc(gsl_root_fdfsolver_newton);
        break;
      case Solver::kSecant:
        fdfsolver_ = gsl_root_fdfsolver_alloc(gsl_root_fdfsolver_secant);
        break;
    }
  }
  ~GslSolver() {
    if (fsolver_ != nullptr) gsl_root_fsolver_free(fsolver_);
    if (fdfsolver_ != nullptr) gsl_root_fdfsolver_free(fdfsolver_);
  }
  GslSolver(const GslSolver&) = delete;
  GslSolver& operator=(const GslSolver&) = delete;

  Solve Run(Functions& functions, const Problem& p, double eps, int pass_limit) {
    if (fsolver_ != nullptr) return SolveBracketing(fsolver_, functions.f, eps, pass_limit);
    return SolvePolishing(fdfsolver_, functions.fdf, solver_, p, eps, pass_limit);
  }

 private:
  Solver solver_;
  gsl_root_fsolver* fsolver_ = nullptr;
  gsl_root_fdfsolver* fdfsolver_ = nullptr;
};

void BenchmarkGsl(benchmark::State& state, const SolverCase& solver_case, bool our_functions,
                  const InputCase& input_case) {
  Problem problem;
  Functions functions = our_functions ? OurFunctions(problem) : DoubleFunctions(problem);
  GslSolver solver(solver_case.solver);
  Solve solve;
  for (auto _ : state) {
    // As many passes as our method makes at most.
    solve = solver.Run(functions, problem, input_case.precision,
                       core::MostPasses(core::EntryOf(solver_case.method)));
    benchmark::DoNotOptimize(solve);
  }
  if (solve.status != GSL_SUCCESS)
    state.SetLabel(std::string("GSL stopped: ") + gsl_strerror(solve.status));
  const double passes = solve.passes;
  state.counters[kPassesCounter] = passes;
  state.counters[kEvaluationsCounter] =
      static_cast<double>(problem.evaluations) / static_cast<double>(state.iterations());
  state.counters["pass_rate"] =
      benchmark::Counter(passes, benchmark::Counter::kIsIterationInvariantRate);
}

}  // namespace

void RegisterGslBenchmarks() {
  // Errors come back as status codes; the default handler would abort.
  gsl_set_error_handler_off();
  for (const InputCase* input_case : {&kDefaults, &kCaps}) {
    for (const SolverCase& solver_case : kSolvers) {
      for (const bool our_functions : {false, true}) {
        const std::string name = std::string(our_functions ? "gsl_our_f/" : "gsl/") +
                                 std::string(core::FindMethod(solver_case.method)->key) + "/" +
                                 input_case->name;
        benchmark::RegisterBenchmark(
            name.c_str(), [solver_case, our_functions, input_case](benchmark::State& state) {
              BenchmarkGsl(state, solver_case, our_functions, *input_case);
            });
      }
    }
  }
}

}  // namespace bench
