// The console report of a benchmark that runs our code beside giflib on the
// same inputs, named "<stage>/<input>/<implementation>": after the usual
// table it prints, per input, each implementation's Mpx/s beside giflib's
// and the ratio, and when the runs count their output bytes ("bytes") the
// sizes and their ratio too. With repetitions the medians are compared.
#pragma once

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

class TRatioReporter : public benchmark::ConsoleReporter {
public:
  TRatioReporter() : ConsoleReporter(::isatty(::fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    const bool repeated =
        std::any_of(runs.begin(), runs.end(), [](const Run& r) { return r.run_type == Run::RT_Aggregate; });
    for (const Run& run : runs) {
      const bool wanted = repeated ? run.run_type == Run::RT_Aggregate && run.aggregate_name == "median"
                                   : run.run_type == Run::RT_Iteration;
      const auto rate = run.counters.find("Mpx/s");
      if (!wanted || rate == run.counters.end()) continue;
      const std::string name = run.run_name.function_name;
      const auto slash = name.rfind('/');
      TFigures& figures = FFigures[name.substr(0, slash)][name.substr(slash + 1)];
      figures.Rate = rate->second.value;
      const auto bytes = run.counters.find("bytes");
      if (bytes != run.counters.end()) figures.Bytes = bytes->second.value;
    }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-36s %12s %12s %8s %12s %12s %8s\n", "input / ours", "ours Mpx/s", "giflib Mpx/s", "speed",
                "ours bytes", "giflib bytes", "size");
    for (const auto& [input, runs] : FFigures) {
      const auto theirs = runs.find("giflib");
      if (theirs == runs.end() || theirs->second.Rate <= 0) continue;
      for (const auto& [implementation, ours] : runs) {
        if (implementation == "giflib") continue;
        const std::string label = input + " / " + implementation;
        std::printf("%-36s %12.1f %12.1f %7.2fx", label.c_str(), ours.Rate, theirs->second.Rate,
                    ours.Rate / theirs->second.Rate);
        if (ours.Bytes > 0 && theirs->second.Bytes > 0)
          std::printf(" %12.0f %12.0f %7.3fx", ours.Bytes, theirs->second.Bytes, ours.Bytes / theirs->second.Bytes);
        std::printf("\n");
      }
    }
  }

private:
  struct TFigures {
    double Rate = 0;
    double Bytes = 0;
  };
  std::map<std::string, std::map<std::string, TFigures>> FFigures;
};
