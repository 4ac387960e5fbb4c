#include "base/FormatSettings.h"

#include <gtest/gtest.h>

namespace nimbra {
namespace {

TFormatSettings German() {
    TFormatSettings fs;
    fs.DateSeparator = '.';
    fs.ShortDateFormat = "dd/mm/yyyy";
    fs.LongTimeFormat = "hh:nn:ss";
    fs.ShortTimeFormat = "hh:nn";
    fs.LongMonthNames[2] = "M\xC3\xA4rz";
    fs.ShortDayNames[0] = "So";
    return fs;
}

const TDateTime kAfternoon = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);

struct FormatCase {
    const char* name;
    const char* format;
    std::string expected;
};

class FormatDateTimeTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatDateTimeTest, UsesThePictureSyntax) {
    EXPECT_EQ(FormatDateTime(GetParam().format, kAfternoon, TFormatSettings{}),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatDateTimeTest,
    testing::Values(FormatCase{"DayMonthYear", "d/m/yy", "5/3/24"},
                    FormatCase{"Padded", "dd-mm-yyyy", "05-03-2024"},
                    FormatCase{"Names", "ddd dddd mmm mmmm", "Tue Tuesday Mar March"},
                    FormatCase{"MinutesAfterHour", "hh:mm", "14:07"},
                    FormatCase{"MinutesWithN", "h:n:s", "14:7:9"},
                    FormatCase{"Milliseconds", "ss.zzz", "09.045"},
                    FormatCase{"AmPm", "h:nn am/pm", "2:07 pm"},
                    FormatCase{"AmPmUpper", "h:nn AM/PM", "2:07 PM"},
                    FormatCase{"LocaleAmPm", "hh:nn ampm", "02:07 PM"},
                    FormatCase{"AP", "h a/p", "2 p"},
                    FormatCase{"QuotedLiteral", "yyyy 'day' d \"mm\"", "2024 day 5 mm"},
                    FormatCase{"ShortDate", "ddddd", "3/5/2024"},
                    FormatCase{"LongDate", "dddddd", "Tuesday, March 5, 2024"},
                    FormatCase{"ShortAndLongTime", "t|tt", "2:07 PM|2:07:09 PM"},
                    FormatCase{"C", "c", "3/5/2024 2:07:09 PM"}),
    [](const auto& info) { return info.param.name; });

TEST(FormatDateTimeTest, SeparatorsComeFromTheSettings) {
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", kAfternoon, German()), "05.03.2024 14:07");
    EXPECT_EQ(FormatDateTime("mmmm", kAfternoon, German()), "M\xC3\xA4rz");
}

TEST(FormatDateTimeTest, MidnightAndNoonOnATwelveHourClock) {
    const TDateTime midnight = EncodeDate(2024, 3, 5);
    EXPECT_EQ(FormatDateTime("h:nn ampm", midnight, TFormatSettings{}), "12:00 AM");
    EXPECT_EQ(FormatDateTime("h:nn ampm", midnight + 0.5, TFormatSettings{}), "12:00 PM");
}

TEST(FormatDateTimeTest, SelfReferringFormatsEnd) {
    TFormatSettings fs;
    fs.ShortDateFormat = "ddddd";  // refers to itself
    EXPECT_NO_THROW(FormatDateTime("c", kAfternoon, fs));
}

struct DisplayCase {
    const char* name;
    TDateTime value;
    std::string expected;
};

class DisplayTextTest : public testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayTextTest, LeavesOutTheTimeOnlyAtExactlyMidnight) {
    EXPECT_EQ(DateTimeToDisplayText(GetParam().value, German()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DisplayTextTest,
    testing::Values(DisplayCase{"Midnight", EncodeDate(2024, 3, 5), "05.03.2024"},
                    DisplayCase{"OneMillisecondAfter", EncodeDate(2024, 3, 5) + 1 / kMSecsPerDay,
                                "05.03.2024 00:00:00"},
                    DisplayCase{"Afternoon", kAfternoon, "05.03.2024 14:07:09"},
                    DisplayCase{"ZeroDate", kZeroDate, "30.12.1899"}),
    [](const auto& info) { return info.param.name; });

TEST(FormatSettingsTest, AReplacementIsUsedUntilReplacedAgain) {
    const TFormatSettings original = FormatSettings();
    SetFormatSettings(German());
    EXPECT_EQ(DateTimeToDisplayText(EncodeDate(2024, 3, 5)), "05.03.2024");
    SetFormatSettings(original);
    EXPECT_EQ(FormatSettings().ShortDateFormat, original.ShortDateFormat);
}

}  // namespace
}  // namespace nimbra
