#pragma once
// How the language file routines report a failure: a stop box naming the routine, its
// error number and description. Nothing leaves the routine; it returns its failure value.

#include <new>
#include <string>
#include <string_view>
#include <system_error>

#include "lang/LangError.h"

namespace modReadLang {

// The text of the box, e.g. for ReadInterface and error 6:
// Function ReadInterface() panic!\n\r\n\rError number: #6\n\rError description: "Overflow"
std::string panicText(std::string_view operation, const LangError& error);

// Shows the box: style 16 (stop icon, OK only), the application's title.
void reportPanic(std::string_view operation, const LangError& error);

// Runs `body`; any failure is reported as a panic of `operation` and then
// `failureValue` is returned instead.
template <typename Body, typename Result>
Result runGuarded(std::string_view operation, Result failureValue, Body&& body) {
    try {
        return body();
    } catch (const LangError& error) {
        reportPanic(operation, error);
    } catch (const std::bad_alloc&) {
        reportPanic(operation, LangError::outOfMemory());
    } catch (const std::system_error& error) {
        reportPanic(operation, LangError::fileError(error.code()));
    } catch (...) {
        reportPanic(operation, LangError::internal());
    }
    return failureValue;
}

}  // namespace modReadLang
