#include "core/qlinks.h"

#include <gtest/gtest.h>

#include "core/demo_slip.h"
#include "core/file_io.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

TEST(QuotaLinks, UrlCheckWantsSchemeAndHost) {
  const struct {
    const char* text;
    bool valid;
  } cases[] = {
      {"https://www.example.org/DE/drawGames/euromillions/results/result/last", true},
      {"http://example.org", true},
      {"http://127.0.0.1:8080/x?y=1#z", true},
      {"https://user@example.org/", true},
      {"http://[::1]/", true},
      {"", false},
      {"example.org", false},
      {"www.example.org/quoten", false},
      {"https://", false},
      {"https:///path", false},
      {"https://exa mple.org", false},
      {"https://example.org/a b", false},
      {"https://example.org:80x/", false},
      {"mailto:info@example.org", false},
      {"1http://example.org", false},
      {"://example.org", false},
      {"https://example.org/\x01", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidUrl(c.text), c.valid) << c.text;
}

TEST(QuotaLinks, FileLinesAreCheckedEachOnItsOwn) {
  kwtest::TempDir dir;
  const std::string path = dir.file("QLinks.emql");

  auto missing = ReadQuotaLinks(path);
  ASSERT_TRUE(missing.ok());
  EXPECT_EQ(*missing, (QuotaLinks{kDefaultQuotaLink, kDefaultQuotaLink}));
  EXPECT_TRUE(IsValidUrl(kDefaultQuotaLink));

  const struct {
    const char* content;
    QuotaLinks links;
  } cases[] = {
      {"https://a.example/1\r\nhttps://b.example/2\r\n", {"https://a.example/1", "https://b.example/2"}},
      {"\r\nhttps://b.example/2\r\n", {"", "https://b.example/2"}},
      {"keine Adresse\nhttps://b.example/2", {"", "https://b.example/2"}},
      {"https://a.example/1", {"https://a.example/1", ""}},
      {"", {"", ""}},
  };
  for (const auto& c : cases) {
    const std::string text = c.content;
    kwtest::WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    auto read = ReadQuotaLinks(path);
    ASSERT_TRUE(read.ok()) << c.content;
    EXPECT_EQ(*read, c.links) << c.content;
  }

  ASSERT_TRUE(WriteQuotaLinks(path, {"nicht gültig", "https://b.example/2"}).ok());
  auto back = ReadQuotaLinks(path);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(*back, (QuotaLinks{"", "https://b.example/2"}));
}

TEST(QuotaLinks, OversizedFileIsAnErrorNotALink) {
  kwtest::TempDir dir;
  const std::string path = dir.file("QLinks.emql");
  kwtest::WriteBytes(path, std::vector<std::uint8_t>(kMaxQuotaLinksFileBytes + 1, 'a'));
  EXPECT_FALSE(ReadQuotaLinks(path).ok());
}

TEST(DemoSlip, IsPlacedOnceAndNeverOverwritten) {
  kwtest::TempDir program, data;
  // No demo beside the program: nothing to place, no error.
  ASSERT_TRUE(PlaceDemoSlip(program.path(), data.path()).ok());
  EXPECT_FALSE(FileExists(data.file("Demo.emt")));

  const std::vector<std::uint8_t> shipped = {1, 2, 3, 4, 5, 6, 7};
  kwtest::WriteBytes(program.file("Demo.emt"), shipped);
  ASSERT_TRUE(PlaceDemoSlip(program.path(), data.path()).ok());
  EXPECT_EQ(kwtest::ReadBytes(data.file("Demo.emt")), shipped);

  // The user's own demo slip stays as it is.
  const std::vector<std::uint8_t> edited = {9, 9, 9, 9, 9, 9, 9};
  kwtest::WriteBytes(data.file("Demo.emt"), edited);
  ASSERT_TRUE(PlaceDemoSlip(program.path(), data.path()).ok());
  EXPECT_EQ(kwtest::ReadBytes(data.file("Demo.emt")), edited);
}

}  // namespace
}  // namespace kw
