#pragma once

#include <exception>
#include <string>
#include <vector>

#include "base/ErrorDisplay.h"

namespace nimbra::testing_support {

// Takes the place of the application's error display while it lives and
// keeps the text of every error reported to it.
class ErrorCollector {
  public:
    ErrorCollector() {
        SetErrorHandler([this](std::exception_ptr error) { texts.push_back(ErrorText(error)); });
    }
    ~ErrorCollector() { SetErrorHandler(nullptr); }
    ErrorCollector(const ErrorCollector&) = delete;
    ErrorCollector& operator=(const ErrorCollector&) = delete;

    std::vector<std::string> texts;
};

}  // namespace nimbra::testing_support
