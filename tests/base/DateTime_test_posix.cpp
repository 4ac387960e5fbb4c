#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "base/DateTime.h"
#include "support/TimeZoneScope.h"

namespace nimbra {
namespace {

using testing_support::TimeZoneScope;

TEST(LocalTimeTest, AppliesTheDaylightSavingRuleOfTheInstant) {
    // A POSIX rule string needs no time-zone database: Central European Time.
    TimeZoneScope zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const TDateTime winterUtc = EncodeDate(2021, 1, 15) + EncodeTime(12, 0, 0, 0);
    const TDateTime summerUtc = EncodeDate(2021, 7, 15) + EncodeTime(12, 0, 0, 0);
    EXPECT_EQ(DecodeDateTime(UtcToLocal(winterUtc)).Hour, 13);
    EXPECT_EQ(DecodeDateTime(UtcToLocal(summerUtc)).Hour, 14);
}

TEST(LocalTimeTest, CrossesMidnightIntoTheLocalDay) {
    TimeZoneScope zone("EST5");
    const TDateTime utc = EncodeDate(2021, 3, 1) + EncodeTime(2, 30, 0, 0);
    EXPECT_EQ(DecodeDateTime(UtcToLocal(utc)), (TDateParts{2021, 2, 28, 21, 30, 0, 0}));
}

TEST(LocalTimeTest, FileTimeToLocalDateTimeKeepsMilliseconds) {
    TimeZoneScope zone("UTC0");
    // 2001-01-01 00:00:01.250 UTC
    const TDateParts parts = DecodeDateTime(FileTimeToLocalDateTime(126227808012500000));
    EXPECT_EQ(parts, (TDateParts{2001, 1, 1, 0, 0, 1, 250}));
}

}  // namespace
}  // namespace nimbra
