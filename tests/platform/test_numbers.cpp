// Number conversions, formatting patterns and the random generator.
#include "platform/errors.h"
#include "platform/numbers.h"
#include "tests/support/fixtures.h"
#include "platform/random.h"

#include <QDateTime>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <set>

using namespace plat;

namespace {

using testing_support::errorNumberOf;

} // namespace

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    struct Case {
        double in;
        int out;
    };
    const Case cases[] = {{8.5, 8},   {9.5, 10},   {-2.5, -2},     {-3.5, -4},      {0.5, 0},
                          {1.5, 2},   {2.4999, 2}, {2.5001, 3},    {-0.5, 0},       {32767.4, 32767},
                          {-32768.5, -32768},      {1e-300, 0},    {-7.6, -8}};
    for (const Case& c : cases) {
        EXPECT_EQ(cint(c.in), c.out) << c.in;
        EXPECT_EQ(cint16(c.in), c.out) << c.in;
        EXPECT_EQ(clng(c.in), c.out) << c.in;
    }
    EXPECT_EQ(clng(2147483646.5), 2147483646);
    EXPECT_EQ(clng(-2147483648.5), INT32_MIN);
}

TEST(Rounding, OutOfRangeIsOverflow) {
    const double sixteen[] = {32767.5, -32768.6, 40000, -1e10, std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity()};
    for (double v : sixteen) EXPECT_EQ(errorNumberOf([&] { cint16(v); }), err::kOverflow) << v;
    EXPECT_EQ(errorNumberOf([] { clng(2147483647.5); }), err::kOverflow);
    EXPECT_EQ(errorNumberOf([] { clng(-2147483649.0); }), err::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toInt16(32768); }), err::kOverflow);
    EXPECT_EQ(errorNumberOf([] { toInt16(-32769); }), err::kOverflow);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(errorNumberOf([] { toInt32(1LL << 31); }), err::kOverflow);
}

TEST(Rounding, IntAndFix) {
    EXPECT_EQ(intPart(-2.5), -3);
    EXPECT_EQ(fixPart(-2.5), -2);
    EXPECT_EQ(intPart(2.99), 2);
}

TEST(IntegerDivision, TruncatesTowardZero) {
    struct Case {
        long long a, b, q, r;
    };
    const Case cases[] = {{7, 2, 3, 1}, {-7, 2, -3, -1}, {7, -2, -3, 1}, {-7, -2, 3, -1}, {0, 5, 0, 0}, {1, 3, 0, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(idiv(c.a, c.b), c.q) << c.a << " \\ " << c.b;
        EXPECT_EQ(imod(c.a, c.b), c.r) << c.a << " mod " << c.b;
    }
    EXPECT_EQ(errorNumberOf([] { idiv(5, 0); }), err::kDivisionByZero);
    EXPECT_EQ(errorNumberOf([] { imod(5, 0); }), err::kDivisionByZero);
    EXPECT_EQ(errorNumberOf([] { idiv(LLONG_MIN, -1); }), err::kOverflow);
    EXPECT_EQ(imod(LLONG_MIN, -1), 0);
}

TEST(FixedPoint, SpeedFactorsKeepFourDecimals) {
    // The speed-scaled delay: ((100 - speed) / 50) ^ 1.5, squared above 1.
    auto factor = [](int speed) {
        double f = roundFixed4(std::pow((100.0 - speed) / 50.0, 1.5));
        if (f > 1) f = roundFixed4(f * f);
        return f;
    };
    EXPECT_DOUBLE_EQ(factor(50), 1.0);
    EXPECT_DOUBLE_EQ(factor(100), 0.0);
    EXPECT_DOUBLE_EQ(factor(75), 0.3536);
    EXPECT_DOUBLE_EQ(factor(25), 3.3749);
    EXPECT_DOUBLE_EQ(factor(0), 7.9998);
    EXPECT_EQ(toFixed4(1.83711730708738), 18371);
    EXPECT_EQ(toFixed4(-1.83716), -18372);
    EXPECT_EQ(errorNumberOf([] { toFixed4(1e15); }), err::kOverflow);
}

TEST(Val, ReadsTheLeadingNumber) {
    struct Case {
        const char* in;
        double out;
    };
    const Case cases[] = {
        {" 12ab", 12},   {"-3", -3},       {"", 0},        {"1e2", 100},     {"&H1F", 31},    {"3.5.2", 3.5},
        {"1 2 3", 123},  {"\t- 3", -3},    {"+7", 7},      {"-", 0},         {".5", 0.5},     {"1e", 1},
        {"1e+", 1},      {"1D2", 100},     {"2.5E-1", 0.25}, {"1,5", 1},     {"abc", 0},      {"12\r3", 12},
        {"&HFFFF", -1},  {"&H10000", 65536}, {"&HFFFFFFFF", -1}, {"&O17", 15}, {"&17", 15},    {"&H", 0},
        {"0021", 21},    {"  0000", 0},    {"1e-400", 0},  {"- -3", 0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(val(QString::fromLatin1(c.in)), c.out) << '"' << c.in << '"';
    EXPECT_EQ(errorNumberOf([] { val("1e400"); }), err::kOverflow);
    EXPECT_EQ(errorNumberOf([] { val("&H100000000"); }), err::kOverflow);
}

TEST(ParseReal, StrictWithEitherDecimalSeparator) {
    struct Case {
        const char* in;
        std::optional<double> out;
    };
    const Case cases[] = {{"12,5", 12.5},  {"12.5", 12.5},      {" 7 ", 7},     {"-.5", -0.5},
                          {"5.", 5},       {"1e3", 1000},       {"03,1416", 3.1416},
                          {"", std::nullopt}, {"  ", std::nullopt}, {"abc", std::nullopt}, {"1.2.3", std::nullopt},
                          {"1,2,3", std::nullopt}, {"12a", std::nullopt}, {"1e", std::nullopt}, {"-", std::nullopt},
                          {"1e999", std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(parseReal(QString::fromLatin1(c.in)), c.out) << '"' << c.in << '"';

    EXPECT_EQ(parseInt16("32767"), std::optional<std::int16_t>(32767));
    EXPECT_EQ(parseInt16("32768"), std::nullopt);
    EXPECT_EQ(parseInt16("2.5"), std::optional<std::int16_t>(2));
    EXPECT_EQ(parseInt16("x"), std::nullopt);
    EXPECT_EQ(parseInt32("08421504"), std::optional<std::int32_t>(8421504));
    EXPECT_EQ(parseInt32("99999999999"), std::nullopt);
}

TEST(Str, LeadingBlankAndNoLeadingZero) {
    struct Case {
        double in;
        const char* out;
    };
    const Case cases[] = {{5, " 5"},
                          {-5, "-5"},
                          {0, " 0"},
                          {0.5, " .5"},
                          {-0.25, "-.25"},
                          {2.5, " 2.5"},
                          {1.0 / 3, " .333333333333333"},
                          {123456789012345.0, " 123456789012345"},
                          {1e15, " 1E+15"},
                          {-1.5e20, "-1.5E+20"},
                          {0.00001, " .00001"},
                          {0.000001, " 1E-06"},
                          {32767, " 32767"}};
    for (const Case& c : cases) EXPECT_EQ(str(c.in), QString::fromLatin1(c.out)) << c.in;
}

TEST(Cstr, UsesTheDisplayDecimalSeparator) {
    EXPECT_EQ(cstr(5), "5");
    EXPECT_EQ(cstr(0.5), "0,5");
    EXPECT_EQ(cstr(-12.25), "-12,25");
    setDisplaySeparators(kFileSeparators);
    EXPECT_EQ(cstr(0.5), "0.5");
    setDisplaySeparators(kSpanishSeparators);
}

TEST(Format, NumericPatterns) {
    struct Case {
        double in;
        const char* pattern;
        const char* out;
    };
    const Case cases[] = {
        {5, "00", "05"},           {21, "00", "21"},           {7, "000", "007"},         {150, "000", "150"},
        {123, "0", "123"},         {-1, "0", "-1"},            {0, "#0", "0"},            {5, "#0", "5"},
        {0, "##0", "0"},           {72, "##0", "72"},          {640, "###0", "640"},      {12345, "00", "12345"},
        {2.5, "0", "3"},           {3.5, "0", "4"},            {-2.5, "0", "-3"},         {7.5, "##0", "8"},
        {0.4, "0", "0"},           {-0.4, "0", "0"},           {0.125, "0.00", "0,13"},   {2.675, "0.00", "2,68"},
        {1234567, "#,##0", "1.234.567"}, {999, "#,##0", "999"}, {0, "#,##0", "0"},        {2339, "#,##0", "2.339"},
        {-1234, "#,##0", "-1.234"}, {12.5, "#0.0000", "12,5000"}, {3.14159, "00.0000", "03,1416"},
        {99.99995, "00.0000", "100,0000"}, {0.5, "#.00", ",50"}, {5, "#.##", "5,"}, {5.1, "0.0#", "5,1"},
        {0.5, "0%", "50%"},       {12, "\"n=\"0", "n=12"},   {12, "\\x0", "x12"},       {1234, "00-00", "12-34"},
        {0, "#", ""},             {1e20, "0", "100000000000000000000"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(format(c.in, QString::fromLatin1(c.pattern), kSpanishSeparators), QString::fromLatin1(c.out))
            << c.in << " \"" << c.pattern << '"';
    EXPECT_EQ(format(3.14159, "00.0000", kFileSeparators), "03.1416");
    EXPECT_EQ(format(1234567, "#,##0", kFileSeparators), "1,234,567");
    EXPECT_EQ(format(5, "00"), "05"); // display separators
    EXPECT_EQ(format(2.5, ""), "2,5");
}

TEST(Format, TextPatterns) {
    struct Case {
        const char* in;
        const char* pattern;
        const char* out;
    };
    const Case cases[] = {
        {"7", "@@@", "  7"},     {"5", "&&@", "5"},        {"100", "&&@", "100"},   {"995", "&&@", "995"},
        {"12", "@@@@", "  12"},  {"12345", "@@", "12345"}, {"ab", "!@@@@", "ab  "}, {"ab", "!&&&", "ab"},
        {"abcde", "!@@", "abcde"}, {"1234", "@@-@@", "12-34"}, {"abc", ">@@@", "ABC"}, {"ABC", "<&&&", "abc"},
        {"", "@@", "  "},        {"", "&&", ""},           {"ab", "(@@@)", "( ab)"}, {"x", "", "x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatText(QString::fromLatin1(c.in), QString::fromLatin1(c.pattern)), QString::fromLatin1(c.out))
            << '"' << c.in << "\" \"" << c.pattern << '"';
    EXPECT_EQ(formatText(cstr(25), "&&@"), "25");
}

TEST(FormatDate, GeneralPatternShowsDurations) {
    struct Case {
        double days;
        const char* out;
    };
    const Case cases[] = {
        {0, "0:00:00"},
        {323 / 86400.0, "0:05:23"},
        {46.14 / 86400.0, "0:00:46"},
        {59.6 / 86400.0, "0:01:00"},
        {86399 / 86400.0, "23:59:59"},
        {86399.7 / 86400.0, "31/12/1899"},
        {1.5, "31/12/1899 12:00:00"},
        {2.0, "01/01/1900"},
        {(86400.0 + 3725) / 86400.0, "31/12/1899 1:02:05"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatDate(c.days, "c"), QString::fromLatin1(c.out)) << c.days * 86400;
}

TEST(FormatDate, DateAndTimePatterns) {
    const QDateTime dt(QDate(2024, 3, 5), QTime(9, 7, 2));
    const double v = toDateValue(dt);
    EXPECT_DOUBLE_EQ(std::floor(v), 45356);
    EXPECT_EQ(fromDateValue(v), dt);
    struct Case {
        const char* pattern;
        const char* out;
    };
    const Case cases[] = {{"dd/mm/yyyy", "05/03/2024"}, {"hh:mm:ss", "09:07:02"}, {"hh:mm", "09:07"},
                          {"d/m/yy", "5/3/24"},        {"h:nn", "9:07"},        {"mm:ss", "07:02"},
                          {"yyyy-mm-dd", "2024-03-05"}, {"c", "05/03/2024 9:07:02"}};
    for (const Case& c : cases)
        EXPECT_EQ(formatDate(v, QString::fromLatin1(c.pattern)), QString::fromLatin1(c.out)) << c.pattern;

    const QDateTime before(QDate(1899, 12, 29), QTime(6, 0));
    EXPECT_DOUBLE_EQ(toDateValue(before), -1.25);
    EXPECT_EQ(fromDateValue(-1.25), before);
}

TEST(Random, FreshGeneratorGivesTheKnownSequence) {
    RandomGenerator g;
    const float expected[] = {0.7055475f, 0.533424f, 0.5795186f, 0.2895625f, 0.301948f};
    for (float e : expected) EXPECT_NEAR(g.next(), e, 1e-7);
}

TEST(Random, SeedingIsDeterministic) {
    RandomGenerator a, b;
    a.randomize(12345.67);
    b.randomize(12345.67);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(a.next(), b.next());

    // 1.0 has the upper word 0x3FF00000: 0x3FF0 ^ 0x0000 fills bits 8..23,
    // the low byte of the state stays.
    RandomGenerator c(0x1234AB);
    c.randomize(1.0);
    EXPECT_EQ(c.state(), 0x3FF0ABu);

    RandomGenerator d, e;
    d.randomize(100.0);
    e.randomize(200.0);
    EXPECT_NE(d.next(), e.next());
}

TEST(Random, IntegersStayInRange) {
    RandomGenerator g;
    for (int n : {1, 2, 6, 144}) {
        std::set<int> seen;
        for (int i = 0; i < 2000; ++i) {
            const int k = g.nextInt(n);
            ASSERT_GE(k, 1);
            ASSERT_LE(k, n);
            seen.insert(k);
        }
        EXPECT_EQ(static_cast<int>(seen.size()), n) << n;
    }
    // The largest draw, 1 - 2^-24, still gives n.
    g.setState(12895468);
    EXPECT_EQ(g.nextInt(144), 144);
    EXPECT_EQ(g.state(), 0xFFFFFFu);
    EXPECT_EQ(g.nextInt(0), 1);
}

TEST(Random, ProgramWideGenerator) {
    randomGenerator().setState(RandomGenerator::kInitialState);
    EXPECT_NEAR(rnd(), 0.7055475f, 1e-7);
    randomGenerator().setState(12895468);
    EXPECT_EQ(rndInt(6), 6);
    const double t = timer();
    EXPECT_GE(t, 0);
    EXPECT_LT(t, 86400);
    EXPECT_DOUBLE_EQ(std::round(t * 100) / 100, t);
}
