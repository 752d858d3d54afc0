// Object text speed: reading (tokenize + grammar check + assign) and writing a generated
// file of about 20 MB made of many child records with long strings, line breaks inside
// strings and binary blocks.

#include <benchmark/benchmark.h>

#include <random>

#include "core/objtext.h"
#include "test_records.h"

namespace stallora {
namespace {

std::unique_ptr<testing::TList> MakeBigList(size_t targetBytes) {
  auto list = std::make_unique<testing::TList>();
  list->ForlisteNavn = "Benchmark";
  list->Versjon = 2.17;
  std::mt19937 rng(42);
  std::string text;
  size_t approx = 0;
  int n = 0;
  while (approx < targetBytes) {
    auto feed = std::make_unique<testing::TFeed>();
    feed->Fornavn = "Foder nr. " + std::to_string(n++) + " - ";
    // A note-like string: several lines joined by CR LF, one apostrophe.
    for (int line = 0; line < 4; ++line) {
      for (int w = 0; w < 12; ++w) feed->Fornavn += "hvede" + std::to_string(rng() % 1000) + ' ';
      feed->Fornavn += "\r\n";
    }
    feed->Fornavn += "Bondens' foder";
    feed->Pris = (rng() % 100000) / 100.0;
    feed->Fortype = static_cast<uint8_t>(rng() % 12);
    feed->analyses.resize(240);
    for (char& c : feed->analyses) c = static_cast<char>(rng());
    approx += feed->Fornavn.size() * 1.1 + 240 * 2 + 120;
    list->feeds.push_back(std::move(feed));
  }
  return list;
}

const testing::TList& BigList() {
  static const auto list = MakeBigList(20u << 20);
  return *list;
}

const std::string& BigText() {
  static const std::string text = RecordText(BigList());
  return text;
}

void BM_WriteRecordText(benchmark::State& state) {
  const testing::TList& list = BigList();
  std::string out;
  out.reserve(BigText().size() + 1024);
  for (auto _ : state) {
    out.clear();
    WriteRecordText(list, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * BigText().size()));
  state.counters["MB"] = static_cast<double>(BigText().size()) / 1e6;
  state.counters["records"] = static_cast<double>(list.feeds.size());
}

void BM_ReadRecordText(benchmark::State& state) {
  const std::string& text = BigText();
  for (auto _ : state) {
    testing::TList list;
    ReadRecordText(text, list, testing::TestRegistry());
    benchmark::DoNotOptimize(list.feeds.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_SyntaxCheckOnly(benchmark::State& state) {
  const std::string& text = BigText();
  for (auto _ : state) CheckObjectTextSyntax(text);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

BENCHMARK(BM_WriteRecordText)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadRecordText)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SyntaxCheckOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
}  // namespace stallora

BENCHMARK_MAIN();
