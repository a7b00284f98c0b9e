#include "bench/bench_data.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/dates.h"
#include "core/game_rules.h"
#include "core/quota_store.h"

namespace kwbench {
namespace {

std::vector<std::vector<std::string>> ReadCsv(const std::string& name) {
  std::ifstream in(DataDir() + "/" + name);
  if (!in) throw std::runtime_error("cannot read " + name);
  std::vector<std::vector<std::string>> lines;
  std::string line;
  std::getline(in, line);  // header
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::vector<std::string> fields;
    std::stringstream ss(line);
    std::string field;
    while (std::getline(ss, field, ';')) fields.push_back(field);
    if (line.back() == ';') fields.emplace_back();
    lines.push_back(std::move(fields));
  }
  return lines;
}

double Day(const std::string& text) {
  const auto day = kw::ParseDateText(text);
  if (!day) throw std::runtime_error("bad date " + text);
  return *day;
}

}  // namespace

std::string DataDir() {
  const char* env = std::getenv("KW_HISTORY_DIR");
  return env && *env ? env : KW_HISTORY_DIR;
}

kw::DataSet RealHistory(bool withQuotas) {
  kw::DataSet state;
  for (const auto& f : ReadCsv("draws.csv")) {
    if (f.size() < 8) throw std::runtime_error("short line in draws.csv");
    kw::TGewZahlen g;
    g.datum = Day(f[0]);
    for (std::size_t i = 0; i < 5; ++i) g.GZ[i] = static_cast<std::uint8_t>(std::stoi(f[1 + i]));
    for (std::size_t i = 0; i < 2; ++i) g.SZ[i] = static_cast<std::uint8_t>(std::stoi(f[6 + i]));
    state.Draws.push_back(g);
  }
  if (!withQuotas) return state;
  for (const auto& f : ReadCsv("quotas.csv")) {
    kw::TQuoten q;
    q.datum = Day(f.at(0));
    for (int k = 1; k <= kw::kClassCount; ++k)
      q.amount(k) = static_cast<std::size_t>(k) < f.size() ? kw::ParseAmount(f[static_cast<std::size_t>(k)], -1.0f) : -1.0f;
    state.Quotas.push_back(q);
  }
  return state;
}

std::vector<kw::TSchein> RandomTips(int count, std::uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<kw::TSchein> tips;
  tips.reserve(static_cast<std::size_t>(count));
  for (int r = 0; r < count; ++r) {
    kw::TSchein t;
    std::array<bool, 51> used{};
    for (auto& n : t.GZ) {
      do n = static_cast<std::uint8_t>(1 + rng() % 50); while (used[n]);
      used[n] = true;
    }
    t.SZ[0] = static_cast<std::uint8_t>(1 + rng() % 12);
    do t.SZ[1] = static_cast<std::uint8_t>(1 + rng() % 12); while (t.SZ[1] == t.SZ[0]);
    tips.push_back(t);
  }
  return tips;
}

std::vector<std::array<int, 7>> PlainParse(const std::string& text) {
  std::vector<std::array<int, 7>> rows;
  const char* p = text.c_str();
  while (*p) {
    std::array<int, 7> row{};
    for (int& v : row) {
      char* end;
      v = static_cast<int>(std::strtol(p, &end, 10));
      p = end + 1;
    }
    if (*p == '\n') ++p;
    rows.push_back(row);
  }
  return rows;
}

const GuaranteeInput& ThousandRowsOverAllNumbers() {
  static const GuaranteeInput input = [] {
    GuaranteeInput in;
    std::mt19937 rng(4711);
    std::vector<int> numbers;
    for (int n = 1; n <= 50; ++n) numbers.push_back(n);
    for (int r = 0; r < 1000; ++r) {
      std::shuffle(numbers.begin(), numbers.end(), rng);
      kw::NumberMask row = 0;
      for (std::size_t i = 0; i < 5; ++i) {
        row |= kw::NumberBit(numbers[i]);
        in.text += std::to_string(numbers[i]) + (i < 4 ? "," : "\n");
      }
      in.rows.push_back(row);
    }
    std::vector<int> pool;
    for (int n = 1; n <= 50; ++n) pool.push_back(n);
    in.combinations = kw::Combinations(pool, 5);
    return in;
  }();
  return input;
}

kw::ProgressHook NeverStop() {
  return [](std::int64_t j) {
    benchmark::DoNotOptimize(j);
    return false;
  };
}

}  // namespace kwbench
