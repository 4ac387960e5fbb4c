#include "base/ErrorDisplay.h"

#include <utility>

namespace nimbra {

namespace {

TErrorHandler& Handler() {
    static TErrorHandler handler;
    return handler;
}

}  // namespace

void SetErrorHandler(TErrorHandler handler) {
    Handler() = std::move(handler);
}

void HandleException(std::exception_ptr error) noexcept {
    try {
        if (Handler()) {
            Handler()(error);
            return;
        }
    } catch (...) {
        // The display itself failed; there is nowhere left to report to.
        return;
    }
    ShowErrorDefault(ErrorText(error));
}

const char* ErrorText(const std::exception_ptr& error) noexcept {
    try {
        if (error)
            std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
    }
    return "Unknown error";
}

}  // namespace nimbra
