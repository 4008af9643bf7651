// Micro-benchmarks of the pieces every request goes through: the formula
// analysis, the weighing, the two calculator screens over an endless stream
// of requests, float formatting, and the loading of the shipped data set.
// Run from any folder: the data files are read from the source tree.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "console/console.h"
#include "console/format.h"
#include "data/element_table.h"
#include "formula/formula.h"
#include "screens/composition.h"
#include "screens/formula_input.h"
#include "screens/molecular_mass.h"

namespace {

constexpr const char* FORMULAS[] = {
    "H2O",
    "Al2(SO4)3",
    "CuSO4.5H2O",
    "CH3(CH2)7CHCH(CH2)7COOH",  // oleic acid: two groups, many tokens
};

// The shipped data set, loaded once from the source tree's data folder.
const ElementTable& shipped_table() {
  static const std::unique_ptr<ElementTable> table = [] {
    auto loaded = std::make_unique<ElementTable>();
    if (open_and_load_element_table(*loaded) != LoadResult::LOADED) {
      std::fprintf(stderr, "data files missing in %s/data\n", CHEMTERM_SOURCE_DIR);
    }
    return loaded;
  }();
  return *table;
}

FormulaBuffer buffer_holding(const char* text) {
  FormulaBuffer buffer{};
  std::strncpy(buffer.text, text, FORMULA_MAX_LENGTH);
  return buffer;
}

/// A console device that types the same request again and again, a whole
/// pipe buffer at a time, and throws the output away: the screens run as they
/// do under a script, without the pipe.
class RepeatingDevice : public ConsoleDevice {
 public:
  explicit RepeatingDevice(std::string request) : request_(std::move(request)) {}

  bool output_is_terminal() const override { return false; }
  void begin_key_read() override {}
  void end_key_read() override {}
  bool input_has_timing() const override { return false; }
  long read(char* buffer, size_t capacity, int) override {
    for (size_t i = 0; i < capacity; ++i) {
      buffer[i] = request_[position_];
      position_ = (position_ + 1) % request_.size();
    }
    return static_cast<long>(capacity);
  }
  void write(std::string_view bytes) override { written_ += bytes.size(); }

  size_t written() const { return written_; }

 private:
  std::string request_;
  size_t position_ = 0;
  size_t written_ = 0;
};

// ---- Formula analysis ---------------------------------------------------------

void BM_ExpandAndScan(benchmark::State& state) {
  const FormulaBuffer typed = buffer_holding(FORMULAS[state.range(0)]);
  state.SetLabel(typed.text);
  for (auto _ : state) {
    FormulaBuffer buffer = typed;
    benchmark::DoNotOptimize(expand_formula(buffer));
    int32_t atoms = 0;
    scan_formula(buffer.text, [&](const SymbolToken& token) {
      atoms += token.count;
      benchmark::DoNotOptimize(token);
      return true;
    });
    benchmark::DoNotOptimize(atoms);
  }
}
BENCHMARK(BM_ExpandAndScan)->DenseRange(0, 3);

// One formula analysed and weighed as the molecular mass screen does it,
// without the console: checks, expansion, scan, lookup of every token, sum.
void BM_AnalyseAndWeigh(benchmark::State& state) {
  const ElementTable& table = shipped_table();
  const FormulaBuffer typed = buffer_holding(FORMULAS[state.range(0)]);
  state.SetLabel(typed.text);
  for (auto _ : state) {
    FormulaBuffer buffer = typed;
    bool accepted = check_parentheses(buffer.text) != 1 && expand_formula(buffer) &&
                    check_formula_start(buffer.text);
    float total = 0.0f;
    const ScanResult scan = scan_formula(buffer.text, [&](const SymbolToken& token) {
      float mass = 0.0f;
      find_element(token.symbol, table,
                   [&](int32_t position) { mass = table.records[position].mass; });
      if (mass == 0.0f) return false;
      total = round_to_single(static_cast<double>(mass) * static_cast<float>(token.count) +
                              static_cast<double>(total));
      return true;
    });
    accepted = accepted && scan == ScanResult::COMPLETE;
    benchmark::DoNotOptimize(accepted);
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_AnalyseAndWeigh)->DenseRange(0, 3);

// The lookup alone: the last element of the table is the longest search.
void BM_FindElement(benchmark::State& state) {
  const ElementTable& table = shipped_table();
  const char* symbols[] = {"H", "Og"};
  const char* symbol = symbols[state.range(0)];
  state.SetLabel(symbol);
  for (auto _ : state) {
    int32_t found = -1;
    find_element(symbol, table, [&](int32_t position) { found = position; });
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_FindElement)->DenseRange(0, 1);

// ---- The calculator screens -------------------------------------------------

// One whole molecular mass request through the real screen: prompt, word
// read, analysis, result and closing prompt, as a script sends it.
void BM_MolecularMassScreen(benchmark::State& state) {
  const ElementTable& table = shipped_table();
  RepeatingDevice device(std::string(FORMULAS[state.range(0)]) + "\nx");
  state.SetLabel(FORMULAS[state.range(0)]);
  Console console(device);
  FormulaBuffer formula{};
  for (auto _ : state) {
    benchmark::DoNotOptimize(molecular_mass_screen(console, table, formula));
  }
  flush_output(console);
  state.counters["out_bytes"] =
      benchmark::Counter(static_cast<double>(device.written()), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MolecularMassScreen)->DenseRange(0, 3);

// One composition request, merge of repeated elements included.
void BM_CompositionScreen(benchmark::State& state) {
  const ElementTable& table = shipped_table();
  RepeatingDevice device(std::string(FORMULAS[state.range(0)]) + "\nx");
  state.SetLabel(FORMULAS[state.range(0)]);
  Console console(device);
  FormulaBuffer formula{};
  CompositionList list{};
  list.last = -1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(composition_screen(console, table, formula, list));
  }
  flush_output(console);
  state.counters["out_bytes"] =
      benchmark::Counter(static_cast<double>(device.written()), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CompositionScreen)->DenseRange(0, 3);

// The same request over a fresh memory device and console each time: what
// one isolated request costs with its buffers set up from nothing.
void BM_MolecularMassScreenFresh(benchmark::State& state) {
  const ElementTable& table = shipped_table();
  FormulaBuffer formula{};
  for (auto _ : state) {
    MemoryDevice device("H2O\nx");
    Console console(device);
    benchmark::DoNotOptimize(molecular_mass_screen(console, table, formula));
  }
}
BENCHMARK(BM_MolecularMassScreenFresh);

// ---- Number formatting ---------------------------------------------------------

// 0: the molecular mass screen's default (general, 6 digits); 1: the
// composition's contribution (fixed, 4 decimals, show-point).
void BM_FormatFloat(benchmark::State& state) {
  ConsoleFormatState format;
  if (state.range(0) == 1) {
    add_flags(format, FORMAT_FIXED | FORMAT_SHOW_POINT);
    set_precision(format, 4);
  }
  state.SetLabel(state.range(0) == 0 ? "general 6" : "fixed 4 show-point");
  float value = 342.132f;
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(format_float(value, format));
  }
}
BENCHMARK(BM_FormatFloat)->DenseRange(0, 1);

// ---- Data loading ------------------------------------------------------------------

void BM_LoadElementTable(benchmark::State& state) {
  auto table = std::make_unique<ElementTable>();
  for (auto _ : state) {
    benchmark::DoNotOptimize(open_and_load_element_table(*table));
    benchmark::DoNotOptimize(table->count);
  }
  state.counters["elements"] = table->count;
}
BENCHMARK(BM_LoadElementTable);

}  // namespace

int main(int argc, char** argv) {
  // The loader reads its files from the working directory.
  if (chdir(CHEMTERM_SOURCE_DIR "/data") != 0) {
    std::perror(CHEMTERM_SOURCE_DIR "/data");
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
