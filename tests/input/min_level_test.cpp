// The minimum level as a person types it, and the import summary that
// states the rule the calls were kept by.
#include "input/min_level.h"

#include <gtest/gtest.h>

#include <clocale>
#include <optional>

#include "input/converted_list.h"

namespace corvella {
namespace {

TEST(MinimumLevel, TakesANumberFromZeroToOneAndNothingElse) {
    struct Case {
        const char* typed;
        std::optional<double> level;
    };
    const Case cases[] = {
        {"0.9", 0.9},   {".75", 0.75}, {"1", 1.0},        {"0", 0.0},         {"1.000", 1.0},
        {"5e-1", 0.5},  {"+0.2", 0.2},
        // A percentage, or a level past the range, is not read as one.
        {"90", std::nullopt},   {"90%", std::nullopt},  {"1.01", std::nullopt}, {"-0.1", std::nullopt},
        {"-0", std::nullopt},   {"0,9", std::nullopt},  {" 0.9", std::nullopt}, {"0.9 ", std::nullopt},
        {"", std::nullopt},     {"nan", std::nullopt},  {"inf", std::nullopt},  {"++0.5", std::nullopt},
        {"0.9x", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const std::optional<double> read = read_min_level(c.typed);
        ASSERT_EQ(read.has_value(), c.level.has_value());
        if (read) {
            EXPECT_DOUBLE_EQ(*read, *c.level);
        }
    }
}

TEST(MinimumLevel, IsShownWithAPointInEveryLocale) {
    // A locale with a decimal comma, where the system has one.
    const bool comma = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    for (const auto& [level, shown] : std::vector<std::pair<double, std::string>>{
             {0.9, "0.9"}, {0.75, "0.75"}, {1.0, "1"}, {0.0, "0"}, {0.125, "0.125"}, {0.0004, "0"}}) {
        EXPECT_EQ(min_level_text(level), shown) << level << (comma ? " (de_DE)" : "");
        if (level != 0.0004) {
            EXPECT_EQ(read_min_level(shown), level) << shown;
        }
    }
    std::setlocale(LC_NUMERIC, "C");
}

TEST(MinimumLevel, TheRefusalSaysWhatTheBoxTakes) {
    EXPECT_EQ(min_level_refusal("90"),
              "The minimum level takes a number from 0 to 1 (0.9 keeps calls of 90% and more), not 90.");
    EXPECT_EQ(min_level_refusal(""),
              "The minimum level takes a number from 0 to 1 (0.9 keeps calls of 90% and more), not an empty box.");
}

TEST(ImportSummary, AVcfSummaryEndsWithTheRuleItsCallsWereKeptBy) {
    struct Case {
        double level;
        bool filtered;
        const char* tail;
    };
    for (const Case& c : {Case{0.9, false, "; minimum level 0.9, records whose FILTER is not PASS left out"},
                          Case{0.03, true, "; minimum level 0.03, records whose FILTER is not PASS kept"},
                          Case{1.0, false, "; minimum level 1, records whose FILTER is not PASS left out"}}) {
        ImportSummary s;
        s.samples = 2;
        s.records = 5;
        s.calls = 7;
        s.min_level = c.level;
        s.include_filtered = c.filtered;
        const std::string text = import_summary_text(s);
        const std::string tail = c.tail;
        ASSERT_GE(text.size(), tail.size());
        EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
    }
    // HSD has no level and no FILTER: its summary names neither.
    ImportSummary hsd;
    hsd.hsd = true;
    EXPECT_EQ(import_summary_text(hsd).find("minimum level"), std::string::npos);
}

}  // namespace
}  // namespace corvella
