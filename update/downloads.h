#pragma once
// The downloaded "GZahlen.emz" and "EMQuoten.emq": checked whole before anything is taken
// over, then turned into the draws to append and the merged quota store. Nothing here touches
// a file; the caller applies the results.
#include <cstdint>
#include <string>
#include <vector>

#include "core/records.h"
#include "core/result.h"

namespace kw::update {

inline constexpr const char* kUnsavedDrawMessage =
    "Die neue Ausspielung ist noch nicht vollständig gespeichert. Bitte komplettieren und speichern Sie sie "
    "zuerst.\r\rIch breche ab.";

// Larger downloads are no files of this program.
inline constexpr std::size_t kMaxDrawsDownloadBytes = 16u << 20;
inline constexpr std::size_t kMaxQuotasDownloadBytes = 64u << 20;
// The highest prize amount taken from a download (the jackpot is capped far below).
inline constexpr float kMaxDownloadedAmount = 1.0e9f;

// Every record whole, dated (whole day 01.01.1900 .. 31.12.9999), dates strictly ascending,
// five distinct numbers 1..50 and two distinct stars 1..12. Refused with a German message
// naming the first fault ("Datensatz 17 vom 09.04.2004 enthält die Zahl 51 ...").
Result<std::vector<TGewZahlen>> ParseDownloadedHistory(const std::vector<std::uint8_t>& bytes);

struct DrawsUpdate {
  std::vector<TGewZahlen> appended;  // the server's draws after the local last one, in order
  int differing = 0;                 // local draws whose numbers differ on the server
  std::string notice;                // German, names the first differing date; empty when none
};

// The server copy must hold the local draws at the same places with the same dates: a copy
// that is shifted, lacks a draw or has another date at a place is refused. Where only the
// numbers differ, the local draw stays and the notice names the first such date. `appended`
// is empty when the server has nothing newer. A local history ending in an incomplete (not yet
// saved) draw is refused with kUnsavedDrawMessage.
Result<DrawsUpdate> UpdateDraws(const std::vector<TGewZahlen>& localDraws, const std::vector<std::uint8_t>& bytes);

// Every record whole, dated, dates strictly ascending, every amount either missing (-1) or
// 0 .. kMaxDownloadedAmount.
Result<std::vector<TQuoten>> ParseDownloadedQuotas(const std::vector<std::uint8_t>& bytes);

struct QuotasUpdate {
  std::vector<TQuoten> merged;  // the whole new store
  bool changed = false;         // merged differs from the local store
  int taken = 0;                // server records that found a draw or a local record
};

// Merged by date: one record per draw (index i belongs to draws[i]), taken from the server's
// record of that date where there is one, else the local record of that date, else a record
// without amounts. An amount the server lacks (-1) keeps the local amount. Local records dated
// after the last draw (days kept ahead of the draws) follow in date order, with the server's
// amounts of those days; server records of draws the history lacks are left out.
Result<QuotasUpdate> UpdateQuotas(const std::vector<TGewZahlen>& draws, const std::vector<TQuoten>& localQuotas,
                                  const std::vector<std::uint8_t>& bytes);

// The same checks on the files a server tree is published from, worded for the local file.
Result<std::vector<TGewZahlen>> CheckHistoryForPublishing(const std::vector<std::uint8_t>& bytes);
Result<std::vector<TQuoten>> CheckQuotasForPublishing(const std::vector<std::uint8_t>& bytes);

// "16 29 32 36 41 + 7 9".
std::string DrawNumbersText(const TGewZahlen& draw);

}  // namespace kw::update
