#include "cli/random_command.h"

#include <optional>

#include "cli/command_support.h"
#include "core/german_format.h"
#include "core/slip_file.h"
#include "generation/generator.h"

namespace kwcli {

namespace {

struct GroupOption {
  const char* name;
  kw::GeneratorGroup group;
  kw::ValueKind kind;
};

const GroupOption kGroupOptions[] = {
    {"--killer", kw::GeneratorGroup::Killer, kw::ValueKind::Number},
    {"--banker", kw::GeneratorGroup::Banker, kw::ValueKind::Number},
    {"--favourite", kw::GeneratorGroup::Favourite, kw::ValueKind::Number},
    {"--killer-stars", kw::GeneratorGroup::Killer, kw::ValueKind::Star},
    {"--banker-stars", kw::GeneratorGroup::Banker, kw::ValueKind::Star},
    {"--favourite-stars", kw::GeneratorGroup::Favourite, kw::ValueKind::Star},
};

}  // namespace

int RandomCommand(const std::vector<std::string>& args) {
  kw::GeneratorCore core;
  std::optional<std::int64_t> rows;
  std::optional<std::uint32_t> seed;
  std::optional<std::string> out;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (i + 1 >= args.size()) return UsageError("Unbekannte Angabe: " + a, kRandomUsage);
    const std::string& v = args[++i];
    if (a == "--rows") {
      rows = kw::ParseStrictInt(v);
      if (!rows) return UsageError("--rows erwartet eine ganze Zahl.", kRandomUsage);
    } else if (a == "--seed") {
      seed = ParseSeed(v);
      if (!seed) return UsageError("--seed erwartet eine ganze Zahl von 0 bis 4294967295.", kRandomUsage);
    } else if (a == "--out") {
      out = v;
    } else {
      const GroupOption* option = nullptr;
      for (const auto& o : kGroupOptions)
        if (a == o.name) option = &o;
      if (!option) return UsageError("Unbekannte Angabe: " + a, kRandomUsage);
      const int highest = kw::HighestValue(option->kind);
      const auto values = ParseNumberList(v, 1, highest);
      if (!values)
        return UsageError(std::string(option->name) + " erwartet Zahlen von 1 bis " + std::to_string(highest) +
                              ", durch Kommas getrennt.",
                          kRandomUsage);
      for (int value : *values) {
        const kw::ChoiceOutcome chosen = core.add(option->group, option->kind, value);
        if (chosen.choice == kw::Choice::Refused || chosen.choice == kw::Choice::HeldElsewhere)
          return Refuse(chosen.message);
      }
    }
  }

  const std::int64_t n = rows.value_or(6);
  kw::RandomSource random = seed ? kw::RandomSource(*seed) : kw::RandomSource();
  // Counts far outside are refused as their nearest neighbours inside int are.
  const int count = n < 1 ? 0 : n > kw::kMaxGeneratedRows ? kw::kMaxGeneratedRows + 1 : static_cast<int>(n);
  auto generated = core.generate(count, random);
  if (!generated) return Refuse(generated.error().message);
  PrintRows(*generated);
  if (out) {
    if (auto saved = kw::SaveSlipRows(*generated, *out); !saved) return Refuse(saved.error().message);
  }
  return kOk;
}

}  // namespace kwcli
