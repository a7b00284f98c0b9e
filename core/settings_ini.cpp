#include "core/settings_ini.h"

#include <algorithm>
#include <limits>

#include "core/file_io.h"
#include "core/german_format.h"

namespace kw {

namespace {

// Settings of a few windows fit in a few hundred bytes; anything this large is not ours.
constexpr std::size_t kMaxIniFileBytes = 1024 * 1024;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Lower(x) == Lower(y);
         });
}

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

// Line breaks would turn one value into several lines and let it forge keys.
std::string OneLine(std::string_view s) {
  std::string out(s);
  std::replace_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return out;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
  IniFile ini;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    ini.bom_ = true;
    text.remove_prefix(3);
  }
  const auto firstBreak = text.find('\n');
  if (firstBreak != std::string_view::npos) ini.eol_ = firstBreak > 0 && text[firstBreak - 1] == '\r' ? "\r\n" : "\n";
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(pos, end - pos);
    pos = end + 1;
    while (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    const std::string_view trimmed = Trim(raw);
    if (!trimmed.empty() && trimmed.front() == '[') {
      const auto close = trimmed.find(']');
      Section section;
      section.name = std::string(Trim(trimmed.substr(1, close == std::string_view::npos ? close : close - 1)));
      section.lines.push_back(Line::plain(std::string(raw)));
      ini.sections_.push_back(std::move(section));
      continue;
    }
    Line line = Line::plain(std::string(raw));
    const auto eq = trimmed.find('=');
    if (!trimmed.empty() && trimmed.front() != ';' && eq != std::string_view::npos && eq > 0) {
      line.isKey = true;
      line.key = std::string(Trim(trimmed.substr(0, eq)));
      line.value = std::string(Unquote(Trim(trimmed.substr(eq + 1))));
    }
    ini.sections_.back().lines.push_back(std::move(line));
  }
  return ini;
}

IniFile IniFile::Load(const std::string& path) {
  if (NoFileAt(path)) return IniFile{};
  auto bytes = ReadWholeFile(path, kMaxIniFileBytes);
  if (!bytes) {
    IniFile ini;
    ini.existed_ = true;
    ini.loadError_ = bytes.error();
    return ini;
  }
  IniFile ini = Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  ini.existed_ = true;
  return ini;
}

const IniFile::Line* IniFile::find(std::string_view section, std::string_view key) const {
  // Like Windows, only the first section of a name counts, and in it the first key.
  for (std::size_t s = 1; s < sections_.size(); ++s) {
    if (!SameName(sections_[s].name, section)) continue;
    for (const Line& line : sections_[s].lines) {
      if (line.isKey && SameName(line.key, key)) return &line;
    }
    return nullptr;
  }
  return nullptr;
}

IniFile::Section& IniFile::sectionFor(std::string_view section) {
  for (std::size_t s = 1; s < sections_.size(); ++s) {
    if (SameName(sections_[s].name, section)) return sections_[s];
  }
  Section added;
  added.name = std::string(Trim(OneLine(section)));
  added.lines.push_back(Line::plain("[" + added.name + "]"));
  sections_.push_back(std::move(added));
  return sections_.back();
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const { return find(section, key) != nullptr; }

int IniFile::readInt(std::string_view section, std::string_view key, int dflt) const {
  const Line* line = find(section, key);
  if (!line) return dflt;
  const auto v = ParseStrictInt(line->value);
  if (!v || *v < std::numeric_limits<int>::min() || *v > std::numeric_limits<int>::max()) return dflt;
  return static_cast<int>(*v);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool dflt) const {
  return readInt(section, key, dflt ? 1 : 0) != 0;
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string dflt) const {
  const Line* line = find(section, key);
  return line ? line->value : dflt;
}

int IniFile::read(const IniIntKey& k) const {
  const int v = readInt(k.section, k.key, k.dflt);
  return v < k.min || v > k.max ? k.dflt : v;
}

void IniFile::writeInt(std::string_view section, std::string_view key, int value) {
  writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
  writeString(section, key, value ? "1" : "0");
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string clean = OneLine(value);
  // Blanks at the ends and enclosing quotes would be lost on reading; quoting keeps them.
  const bool quote = Trim(clean) != clean || Unquote(clean) != clean;
  const std::string stored = quote ? "\"" + clean + "\"" : clean;
  Section& s = sectionFor(section);
  for (Line& line : s.lines) {
    if (line.isKey && SameName(line.key, key)) {
      line.text = line.key + "=" + stored;
      line.value = clean;
      return;
    }
  }
  Line added;
  added.isKey = true;
  added.key = std::string(Trim(OneLine(key)));
  added.value = clean;
  added.text = added.key + "=" + stored;
  // New keys go behind the section's last non-blank line, before the blank lines that part it
  // from the next section.
  auto at = s.lines.end();
  while (at != s.lines.begin() + 1 && Trim(std::prev(at)->text).empty()) --at;
  s.lines.insert(at, std::move(added));
}

std::string IniFile::text() const {
  std::string out = bom_ ? "\xEF\xBB\xBF" : "";
  for (const Section& s : sections_) {
    for (const Line& line : s.lines) out += line.text + eol_;
  }
  return out;
}

Result<void> IniFile::Save(const std::string& path) const {
  const std::string t = text();
  return WriteFileAtomically(path, std::vector<std::uint8_t>(t.begin(), t.end()));
}

Result<void> UpdateIniFile(const std::string& path, const std::function<void(IniFile&)>& change) {
  IniFile ini = IniFile::Load(path);
  if (ini.loadError()) return *ini.loadError();
  change(ini);
  return ini.Save(path);
}

}  // namespace kw
