#pragma once
// The quota window's text rules without the window: the amount fields (key filter and the form
// they are put into on leaving), amounts pasted from a results web page, and how the window
// loads, defaults and keeps the quota store aligned with the history.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_set.h"
#include "core/result.h"

namespace kw {

inline constexpr const char* kInvalidAmountText = "- Zuweisung ungültig -";
// One line of pasted text per prize class.
inline constexpr int kQuotaTextLines = 13;

// An amount field left by the user: blanks (also the non-breaking ones of web pages), "€" and
// "." go, a leading "-" is kept, "+" goes, and the number is written with two decimals and
// no grouping ("1.248,5" -> "1248,50", "-3" -> "-3,00"). Empty stays empty; what is no number
// becomes kInvalidAmountText with valid false.
struct NormalisedAmount {
  std::string text;
  bool valid = true;
};
NormalisedAmount NormaliseAmountText(std::string_view text);

// The key filter of an amount field: digits, blank, ",", "." and backspace ('\b'). A blank is
// refused at the start of the field, a "," when the field has one already and the caret
// (0-based) stands at or behind it.
bool AmountKeyAccepted(std::u16string_view fieldText, std::size_t caret, char16_t key);

// A field of a pasted line as the amount field gets it: blanks and control characters cut off
// both ends, then every "Euro", "Eur" (any case), "€" and "." deleted.
std::string CleanImportedAmount(std::string_view field);

// Pasted text: line i (1-based) gives the amount of class i from its tab-separated field
// `column` (1-based). Refused before anything is taken when there are more than 13 lines
// (empty lines at the end do not count). A line without that field ends the import there:
// `amounts` holds the lines before it and `error` says which line.
struct QuotaTextImport {
  std::vector<std::string> amounts;
  std::optional<Error> error;
};
QuotaTextImport ImportQuotaText(std::string_view text, int column);

// The thirteen lines of a results page that the text field shows as an example.
std::string QuotaTextSample();

// LoadQuotas for the quota window. It keeps the records matching the history and rewrites the
// file with them, but when that would drop real amounts (not the standard ones) of draws in
// the history or after its end, it first keeps the whole file as "EMQuoten.emq.sicherung" (or
// ".sicherung.1" ...) and returns a notice saying so; without such a copy the file stays as it
// was. The notice is empty when nothing of worth was dropped.
Result<std::string> LoadQuotasKeepingAmounts(DataSet& s);

// MakeDefaultQuotas that stays aligned with the history: one record of standard amounts per
// draw, then the Tuesdays and Fridays after the last draw up to yesterday, so that record i
// belongs to draw i from the start. Without a history it is MakeDefaultQuotas.
void MakeDefaultQuotasForHistory(DataSet& s, double today);

}  // namespace kw
