#pragma once
// What the window benchmarks share: the generated program with the services a window is
// opened with (prompts that answer without a box), and a main that runs the benchmarks
// under a QApplication on the offscreen platform.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "bench_workspace.h"
#include "test_prompts.h"
#include "ui/services.h"

namespace stallora::bench {

struct WindowProgram : Program {
  explicit WindowProgram(const std::string& name) : Program(name) {}
  // The services for windows, once the workspace has been scanned.
  Services& Wire() {
    services.app = app.get();
    services.workspace = workspace.get();
    services.prompts = &prompts;
    return services;
  }

  TestPrompts prompts;
  Services services;
};

// Lets the window show and paint what it was given.
inline void Settle() { QApplication::processEvents(); }

inline int RunWindowBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace stallora::bench
