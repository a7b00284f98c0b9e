#pragma once
// Small helpers the generation commands of kugelwerk-cli share: exit codes, messages, lists of
// numbers, seeds and the printed rows.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/records.h"

namespace kwcli {

inline constexpr int kOk = 0;
inline constexpr int kRefused = 1;
inline constexpr int kUsage = 2;

// The program's message on standard error ("\r" as line breaks); exit status 1.
int Refuse(const std::string& message);
// The problem and the command's usage line on standard error; exit status 2.
int UsageError(const std::string& problem, const char* usage);

// "7,19" -> 7, 19; an empty text is an empty list. Empty when an item is no whole number
// from lowest to highest.
std::optional<std::vector<int>> ParseNumberList(const std::string& text, int lowest, int highest);
// 0 .. 4294967295.
std::optional<std::uint32_t> ParseSeed(const std::string& text);

// One row per line: n1,n2,n3,n4,n5,s1,s2.
void PrintRows(const std::vector<kw::TSchein>& rows);

}  // namespace kwcli
