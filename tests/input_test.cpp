#include "input/input.h"

#include <gtest/gtest.h>

#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* refusal = "Invalid input! Please give an integer. \n";

struct ReaderCase {
  std::string input;
  std::optional<std::int32_t> result;
  std::string output;
  std::string left_unread;
};

const std::vector<ReaderCase> reader_cases = {
    {"5\n", 5, "", "\n"},
    {"+4\n", 4, "", "\n"},
    {" \t 7\n", 7, "", "\n"},
    {"\n\n2147483647\n", 2147483647, "", "\n"},
    {"5abc\n", 5, "", "abc\n"},
    {"3 9\n", 3, "", " 9\n"},
    {"abc\n6\n", 6, refusal, "\n"},
    {"0\n6\n", 6, refusal, "\n"},
    {"-3 7\n6\n", 6, refusal, "\n"},
    {"2147483648\n6\n", 6, refusal, "\n"},
    {"-2147483649\n6\n", 6, refusal, "\n"},
    {"x\n0\n-1\n6", 6, std::string(refusal) + refusal + refusal, ""},
    {"", std::nullopt, "", ""},
    {" \n\t\n", std::nullopt, "", ""},
    {"abc", std::nullopt, refusal, ""},
    {"-", std::nullopt, refusal, ""},
    {"99999999999", std::nullopt, refusal, ""},
    {"-3 7\n", std::nullopt, refusal, ""},
};

TEST(ReadPositiveInt, AcceptsOnlyWholeNumbersOfAtLeastOne) {
  for (const auto& [input, result, output, left_unread] : reader_cases) {
    SCOPED_TRACE("input: \"" + input + "\"");
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_EQ(read_positive_int(in, out), result);
    EXPECT_EQ(out.str(), output);
    in.clear();
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), left_unread);
  }
}

TEST(ReadPositiveInt, DiscardsALongRefusedLineInOneGo) {
  std::istringstream in("x" + std::string(1 << 20, '7') + " 8\n2\n");
  std::ostringstream out;
  EXPECT_EQ(read_positive_int(in, out), 2);
  EXPECT_EQ(out.str(), refusal);
}

}  // namespace
