#pragma once

#include <exception>
#include <functional>

namespace nimbra {

// The application's standard error display: where an error that reaches the
// boundary of an event handler called from a window procedure is reported
// (window procedures must never let an exception unwind into the system).
// By default a message box on Windows and the standard error stream
// elsewhere; the application or a test may install its own. Interface thread
// only.
using TErrorHandler = std::function<void(std::exception_ptr error)>;
void SetErrorHandler(TErrorHandler handler);
// Reports `error` through the installed handler, or the default one. Never
// raises: a handler that fails is ignored.
void HandleException(std::exception_ptr error) noexcept;

// The text an error shows: the message of an exception, or a generic text
// for anything else.
const char* ErrorText(const std::exception_ptr& error) noexcept;

// The platform's default display.
void ShowErrorDefault(const char* text) noexcept;

}  // namespace nimbra
