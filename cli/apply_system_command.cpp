#include "cli/apply_system_command.h"

#include <optional>

#include "cli/command_support.h"
#include "core/german_format.h"
#include "core/slip_file.h"
#include "generation/tippcenter.h"

namespace kwcli {

namespace {

struct GroupOption {
  const char* name;
  kw::TipCentreGroup group;
  kw::ValueKind kind;
};

// Bankers before chosen values, so that a value given twice is reported on the chosen side.
const GroupOption kGroupOptions[] = {
    {"--bankers", kw::TipCentreGroup::Banker, kw::ValueKind::Number},
    {"--banker-stars", kw::TipCentreGroup::Banker, kw::ValueKind::Star},
    {"--numbers", kw::TipCentreGroup::Chosen, kw::ValueKind::Number},
    {"--stars", kw::TipCentreGroup::Chosen, kw::ValueKind::Star},
};
constexpr std::size_t kChosenStarsOption = 3;

}  // namespace

int ApplySystemCommand(const std::vector<std::string>& args) {
  if (args.empty() || args[0].rfind("--", 0) == 0) return UsageError("apply-system braucht ein SYSTEM.", kApplySystemUsage);
  const auto key = kw::ParseStrictInt(args[0]);
  if (!key) return UsageError("SYSTEM ist keine ganze Zahl.", kApplySystemUsage);

  std::optional<std::vector<int>> lists[std::size(kGroupOptions)];
  std::optional<std::uint32_t> seed;
  std::optional<std::string> out;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (i + 1 >= args.size()) return UsageError("Unbekannte Angabe: " + a, kApplySystemUsage);
    const std::string& v = args[++i];
    if (a == "--seed") {
      seed = ParseSeed(v);
      if (!seed) return UsageError("--seed erwartet eine ganze Zahl von 0 bis 4294967295.", kApplySystemUsage);
      continue;
    }
    if (a == "--out") {
      out = v;
      continue;
    }
    std::size_t o = 0;
    while (o < std::size(kGroupOptions) && a != kGroupOptions[o].name) ++o;
    if (o == std::size(kGroupOptions)) return UsageError("Unbekannte Angabe: " + a, kApplySystemUsage);
    const int highest = kw::HighestValue(kGroupOptions[o].kind);
    lists[o] = ParseNumberList(v, 1, highest);
    if (!lists[o])
      return UsageError(std::string(kGroupOptions[o].name) + " erwartet Zahlen von 1 bis " + std::to_string(highest) +
                            ", durch Kommas getrennt.",
                        kApplySystemUsage);
  }
  if (*key < 1 || *key > kw::kSystemCount)
    return Refuse("Das System " + args[0] + " gibt es nicht. Die Systeme sind von 1 bis " +
                  std::to_string(kw::kSystemCount) + " nummeriert.");

  kw::TipCentreCore core;
  for (std::size_t o = 0; o < std::size(kGroupOptions); ++o) {
    if (!lists[o]) continue;
    for (int value : *lists[o]) {
      const kw::ChoiceOutcome chosen = core.add(kGroupOptions[o].group, kGroupOptions[o].kind, value);
      if (chosen.choice == kw::Choice::Refused || chosen.choice == kw::Choice::HeldElsewhere)
        return Refuse(chosen.message);
    }
  }
  // Without --stars every star that is no banker star is chosen, as in the window after start.
  if (!lists[kChosenStarsOption]) core.selectAll(kw::ValueKind::Star);

  kw::RandomSource random = seed ? kw::RandomSource(*seed) : kw::RandomSource();
  auto applied = core.apply(static_cast<int>(*key), random);
  if (!applied) return Refuse(applied.error().message);
  PrintRows(applied->rows);
  if (out) {
    if (auto saved = kw::SaveSlipRows(applied->rows, *out); !saved) return Refuse(saved.error().message);
  }
  return kOk;
}

}  // namespace kwcli
