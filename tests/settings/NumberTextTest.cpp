// Number text independent of the locale: atof semantics checked against the
// C library in the C locale, and under a decimal-comma locale.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "settings/NumberText.h"

namespace {

// Random texts, and values out of range, read as strtod reads them: the
// value and where it stops.
TEST(ParseNumberPrefix, AgreesWithStrtod) {
    std::vector<std::string> texts = {"1e999", "-1e999", "1e-999", "0.0000000000000000000001e-330", "123456789e-330",
                                      "100000000000000000000000000000e300", "4.9e-324", "1.8e308"};
    std::mt19937 random(99);
    const char alphabet[] = "0123456789.-+eE ifnaty";
    for (int i = 0; i < 40000; ++i) {
        texts.emplace_back();
        for (int k = int(random() % 24); k > 0; --k) texts.back() += alphabet[random() % (sizeof alphabet - 1)];
    }
    for (const std::string& text : texts) {
        char* end = nullptr;
        const double expected = std::strtod(text.c_str(), &end);
        size_t used = 99;
        const double got = ParseNumberPrefix(text.data(), text.size(), &used);
        ASSERT_TRUE((std::isnan(got) && std::isnan(expected)) || got == expected) << '"' << text << '"';
        ASSERT_EQ(used, size_t(end - text.c_str())) << '"' << text << '"';
    }
}

TEST(FormatFixed, AgreesWithPrintfAndTruncatesLikeSnprintf) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> values(-1e6, 1e6);
    for (int i = 0; i < 5000; ++i) {
        const double v = values(random);
        for (int decimals : {0, 2, 6}) {
            char expected[64], got[64];
            std::snprintf(expected, sizeof expected, "%.*f", decimals, v);
            ASSERT_EQ(FormatFixed(v, decimals, got, sizeof got), std::strlen(expected));
            ASSERT_STREQ(got, expected);
        }
    }
    char small[5];
    EXPECT_EQ(FormatFixed(-12.345, 2, small, sizeof small), 6u);
    EXPECT_STREQ(small, "-12.");
}

// A host or the command may set a locale whose decimal point is a comma;
// numbers must not notice. Runs where such a locale is installed (the
// Windows build under wine has them).
TEST(NumberText, IgnoresTheProcessLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const char* chosen = nullptr;
    for (const char* name :
         {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "German_Germany.1252", "German", "deu"})
        if (std::setlocale(LC_ALL, name) && std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
            chosen = name;
            break;
        }
    if (!chosen) {
        std::setlocale(LC_ALL, previous.c_str());
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    char text[32];
    FormatFixed(-12.5, 6, text, sizeof text);
    const double read = ParseNumberPrefix("3.25", 4), comma = ParseNumberPrefix("3,25", 4);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_STREQ(text, "-12.500000") << chosen;
    EXPECT_EQ(read, 3.25) << chosen;
    EXPECT_EQ(comma, 3.0) << chosen;
}

}  // namespace
