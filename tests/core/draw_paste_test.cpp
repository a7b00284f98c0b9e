#include "core/draw_paste.h"

#include <gtest/gtest.h>

#include <string>

namespace kw {
namespace {

std::vector<PastedNumber> Main(std::initializer_list<int> mains, std::initializer_list<int> stars = {}) {
  std::vector<PastedNumber> out;
  for (int n : mains) out.push_back({false, n});
  for (int s : stars) out.push_back({true, s});
  return out;
}

struct ReadCase {
  const char* name;
  std::string text;
  std::vector<PastedNumber> expected;
};

TEST(PastedDraw, ReadsTheSevenLineAndTheGluedForms) {
  const ReadCase cases[] = {
      {"seven lines", "5\n12\n23\n38\n45\n2\n11", Main({5, 12, 23, 38, 45}, {2, 11})},
      {"seven lines with CRLF, blanks, tabs and a final break", " 5 \r\n12\t\r\n23\r\n38\r\n45\r\n2\r\n11\r\n",
       Main({5, 12, 23, 38, 45}, {2, 11})},
      {"old Mac line ends", "5\r12\r23\r38\r45\r2\r11", Main({5, 12, 23, 38, 45}, {2, 11})},
      {"leading zero", "05\n12\n23\n38\n45\n02\n11", Main({5, 12, 23, 38, 45}, {2, 11})},
      // An empty line stops reading; what follows it is not even looked at.
      {"empty third line", "5\n12\n\nxx\n99\n2\n11", Main({5, 12})},
      {"empty first line", "\n12\n23\n38\n45\n2\n11", {}},
      {"glued, two-digit end", "512233845\n\n211", Main({45, 38, 23, 12, 5}, {11, 2})},
      {"glued, one-digit end", "1231425\n\n211", Main({25, 14, 3, 2, 1}, {11, 2})},
      {"glued, four lines, blanks around", "  1231425 \r\nEuroMillions\r\n 211\r\nfertig\r\n", Main({25, 14, 3, 2, 1}, {11, 2})},
      {"glued, all single digits", "12345\n\n12", Main({5, 4, 3, 2, 1}, {2, 1})},
      {"glued, all two digits", "1020304050\n\n1112", Main({50, 40, 30, 20, 10}, {12, 11})},
      {"five lines", "1\n2\n3\n4\n5", {}},
      {"six lines", "1\n2\n3\n4\n5\n6", {}},
      {"eight lines", "1\n2\n3\n4\n5\n6\n7\n8", {}},
      {"nothing", "", {}},
      {"only blanks", "  \t ", {}},
  };
  for (const auto& c : cases) {
    const auto read = ParsePastedDraw(c.text);
    ASSERT_TRUE(read.ok()) << c.name << ": " << read.error().message;
    EXPECT_EQ(*read, c.expected) << c.name;
  }
}

struct RefusedCase {
  const char* name;
  std::string text;
  const char* inMessage;
};

TEST(PastedDraw, RefusesWhatNamesNoNumberButton) {
  const RefusedCase cases[] = {
      {"letters", "5\n12\nabc\n38\n45\n2\n11", "\"abc\" ist keine Gewinnzahl"},
      {"zero", "5\n12\n0\n38\n45\n2\n11", "\"0\" ist keine Gewinnzahl"},
      {"main above 50", "5\n12\n51\n38\n45\n2\n11", "\"51\" ist keine Gewinnzahl"},
      {"star above 12", "5\n12\n23\n38\n45\n2\n13", "\"13\" ist keine Sternzahl"},
      {"negative", "5\n12\n-3\n38\n45\n2\n11", "\"-3\" ist keine Gewinnzahl"},
      {"number and text", "5\n12\n23 Uhr\n38\n45\n2\n11", "ist keine Gewinnzahl"},
      {"huge", "5\n12\n99999999999\n38\n45\n2\n11", "ist keine Gewinnzahl"},
      {"glued with a zero part", "1231400\n\n211", "\"00\" ist keine Gewinnzahl"},
      {"glued above 50", "512233899\n\n211", "\"99\" ist keine Gewinnzahl"},
      {"glued star above 12", "512233845\n\n213", "\"13\" ist keine Sternzahl"},
      {"glued with blanks inside", "5 12 23 38 45\n\n2 11", "keine lesbaren Gewinnzahlen"},
      {"glued with a blank part", "5 12233845\n\n211", "\"5 \" ist keine Gewinnzahl"},
      {"glued too short", "1234\n\n211", "keine lesbaren Gewinnzahlen"},
      {"glued too long", "10203040501\n\n211", "keine lesbaren Gewinnzahlen"},
      {"glued stars missing", "512233845\n\n", "keine lesbaren Gewinnzahlen"},
      {"one line", "512233845", "keine lesbaren Gewinnzahlen"},
      {"two lines", "512233845\n211", "keine lesbaren Gewinnzahlen"},
  };
  for (const auto& c : cases) {
    const auto read = ParsePastedDraw(c.text);
    ASSERT_FALSE(read.ok()) << c.name;
    EXPECT_NE(read.error().message.find(c.inMessage), std::string::npos) << c.name << ": " << read.error().message;
    EXPECT_NE(read.error().message.find("Ich breche ab."), std::string::npos) << c.name;
  }
}

}  // namespace
}  // namespace kw
