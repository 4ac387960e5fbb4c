#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace nimbra::testing_support {

// Switches the process's time zone (POSIX) for the lifetime of the object.
class TimeZoneScope {
  public:
    explicit TimeZoneScope(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            saved_ = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZoneScope() {
        if (saved_) {
            setenv("TZ", saved_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    TimeZoneScope(const TimeZoneScope&) = delete;
    TimeZoneScope& operator=(const TimeZoneScope&) = delete;

  private:
    std::optional<std::string> saved_;
};

}  // namespace nimbra::testing_support
