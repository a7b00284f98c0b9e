// Any bytes as "EMQuoten.emq" (and as tip rows): loading, showing, extending, saving, merging
// and evaluating must neither crash nor break the store's invariants.
#include <stdlib.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "core/game_rules.h"
#include "core/quota_store.h"
#include "evaluation/evaluation.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// tmpfs keeps the many synced rewrites cheap.
const std::string& Folder() {
  static const std::string folder = [] {
    char pattern[] = "/dev/shm/kw-fuzz-quota-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) {
      char fallback[] = "/tmp/kw-fuzz-quota-XXXXXX";
      made = mkdtemp(fallback);
      Check(made != nullptr);
      return std::string(made) + "/";
    }
    return std::string(made) + "/";
  }();
  return folder;
}

void CheckStoreMatchesFile(const kw::DataSet& s) {
  auto bytes = kw::ReadWholeFile(s.dataFile(kw::kQuotasFileName), kw::kMaxQuotaFileBytes);
  Check(bytes.ok());
  Check(*bytes == kw::EncodeRecords(s.Quotas));
}

void CheckQuotaFor(const kw::DataSet& s) {
  for (int i = -1; i <= static_cast<int>(s.Quotas.size()); ++i)
    for (int k = 1; k <= kw::kClassCount; ++k) {
      const float q = kw::QuotaFor(s.Quotas, i, k);
      Check(std::isfinite(q) && q >= 1.0f);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int drawCount = data[0] % 48;
  const std::uint8_t mode = data[1];
  const std::uint8_t extra = data[2];
  const std::vector<std::uint8_t> file(data + 3, data + size);
  const auto records = kw::DecodeQuotaRecords(file);

  kw::DataSet s;
  s.DataDir = Folder();
  // Draws dated like the records (mostly), so that loading keeps some of them.
  for (int i = 0; i < drawCount; ++i) {
    kw::TGewZahlen d;
    const auto idx = static_cast<std::size_t>(i);
    d.datum = idx < records.size() && ((mode >> (i % 8)) & 1) == 0 ? records[idx].datum : kw::kFirstDrawDay + 3.0 * i;
    for (std::size_t n = 0; n < 5; ++n) d.GZ[n] = file.size() > idx * 7 + n ? file[idx * 7 + n] : static_cast<std::uint8_t>(n + 1);
    for (std::size_t n = 0; n < 2; ++n) d.SZ[n] = file.size() > idx * 7 + 5 + n ? file[idx * 7 + 5 + n] : static_cast<std::uint8_t>(n + 1);
    s.Draws.push_back(d);
  }

  const std::string path = s.dataFile(kw::kQuotasFileName);
  const std::string copy = path + kw::kQuotaCopySuffix;
  std::remove(copy.c_str());
  Check(kw::WriteFileAtomically(path, file).ok());
  Check(kw::LoadQuotas(s).ok());
  Check(s.Quotas.size() <= s.Draws.size());
  for (std::size_t i = 0; i < s.Quotas.size(); ++i) Check(s.Quotas[i].datum == s.Draws[i].datum);
  if (s.Draws.empty()) {
    // Without a history nothing tells which amounts belong: the file stays as it was.
    auto kept = kw::ReadWholeFile(path, kw::kMaxQuotaFileBytes);
    Check(kept.ok() && *kept == file);
  } else {
    CheckStoreMatchesFile(s);
    // Whatever the rewrite dropped is in the copy beside the file.
    const bool dropped = kw::EncodeRecords(s.Quotas) != file;
    auto kept = kw::ReadWholeFile(copy, kw::kMaxQuotaFileBytes);
    Check(kept.ok() == dropped);
    if (dropped) Check(*kept == file);
  }
  const auto once = kw::EncodeRecords(s.Quotas);
  Check(kw::LoadQuotas(s).ok());  // loading again changes nothing
  Check(kw::EncodeRecords(s.Quotas) == once);
  CheckQuotaFor(s);

  // Evaluate the tip rows hidden in the input against the draws (any numbers 0..255).
  if (!s.Draws.empty()) {
    std::vector<std::vector<kw::TSchein>> slips(1 + extra % 2);
    for (const auto& tip : kw::DecodeSlipRecords(file)) slips[tip.GZ[0] % slips.size()].push_back(tip);
    const int from = static_cast<int>(mode) % (drawCount + 1) - 1;
    const int to = static_cast<int>(extra) % (drawCount + 2) - 1;
    kw::EvalRequest request{s.Draws, s.Quotas, {from, to, (extra & 8) != 0}, {}, 1};
    for (std::size_t f = 0; f < slips.size(); ++f) request.slips.push_back({f ? "B" : "A", slips[f]});
    if (auto result = kw::Evaluate(request); result.ok()) {
      const kw::EvalTable& table = result->table;
      std::int64_t sum = 0;
      for (int row = 0; row < table.rowCount(); ++row) {
        for (int c = 0; c < table.columnCount(); ++c) (void)table.cell(c, row);
        sum += table.amountCents(row);
        Check(table.runningTotalCents(row) == sum);
        Check(table.prizeClass(row) >= 0 && table.prizeClass(row) <= kw::kClassCount);
      }
      Check(table.totalCents() == sum);
    }
  }

  // The window's path: show, fill in defaults, extend, save.
  kw::TextTable table(kw::kQuotaTableColumns, 1);
  if (s.Quotas.empty()) kw::MakeDefaultQuotas(s, kw::kFirstDrawDay + (mode % 16) * 3.5);
  kw::ShowQuotas(s, table);
  Check(table.rowCount() == static_cast<int>(s.Quotas.size()) + 1);
  if (!s.Quotas.empty()) {
    const double last = s.Quotas.back().datum;
    const auto added = kw::ExtendQuotas(s, table, std::isfinite(last) ? last + extra % 20 : 45369.0);
    Check(added.size() <= 12);
    Check(table.rowCount() == static_cast<int>(s.Quotas.size()) + 1);
  }
  const auto before = kw::EncodeRecords(s.Quotas);
  if (kw::SaveQuotas(s, table).ok()) {
    CheckStoreMatchesFile(s);
  } else {
    Check(kw::EncodeRecords(s.Quotas) == before);
  }
  CheckQuotaFor(s);

  // A download of the same bytes.
  if (kw::MergeQuotas(s, records, &table).ok()) {
    CheckStoreMatchesFile(s);
    Check(table.rowCount() == static_cast<int>(s.Quotas.size()) + 1);
  }
  CheckQuotaFor(s);

  // Amount texts.
  const std::string text(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 40));
  const float amount = kw::ParseAmount(text, -1.0f);
  (void)kw::FormatAmount(amount, extra % 4);
  for (std::size_t i = 0; i < records.size() && i < 2; ++i)
    for (float q : records[i].q) {
      (void)kw::FormatAmount(q, 2);
      (void)kw::FormatEuro(q);
    }
  return 0;
}
