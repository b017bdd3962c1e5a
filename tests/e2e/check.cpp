#include "tests/e2e/check.h"

#include <cmath>

#include "tests/e2e/console.h"
#include "tests/e2e/text.h"

namespace tarnwick::e2e {

void Report::Pass(std::wstring_view caseName, std::wstring_view what) {
    ++passed_;
    WriteLine(L"PASS " + std::wstring(caseName) + L": " + std::wstring(what));
}

void Report::Fail(std::wstring_view caseName, std::wstring_view what, std::wstring_view expected,
                  std::wstring_view actual) {
    ++failed_;
    WriteLine(L"FAIL " + std::wstring(caseName) + L": " + std::wstring(what) + L": expected " +
              std::wstring(expected) + L", actual " + std::wstring(actual));
}

bool Check::That(std::wstring_view what, bool ok, std::wstring_view expected,
                 std::wstring_view actual) {
    if (ok) {
        report_.Pass(case_, what);
    } else {
        ++failures_;
        report_.Fail(case_, what, expected, actual);
    }
    return ok;
}

bool Check::Equal(std::wstring_view what, std::wstring_view expected, std::wstring_view actual) {
    return That(what, expected == actual, Quote(expected), Quote(actual));
}

bool Check::Equal(std::wstring_view what, std::int64_t expected, std::int64_t actual) {
    return That(what, expected == actual, Decimal(expected), Decimal(actual));
}

bool Check::EqualFlag(std::wstring_view what, bool expected, bool actual) {
    return That(what, expected == actual, expected ? L"true" : L"false",
                actual ? L"true" : L"false");
}

bool Check::Near(std::wstring_view what, double expected, double actual, double tolerance) {
    return That(what, std::fabs(expected - actual) <= tolerance,
                Real(expected) + L" +/- " + Real(tolerance), Real(actual));
}

void Check::Abort(std::wstring_view what, std::wstring_view expected, std::wstring_view actual) {
    That(what, false, expected, actual);
    throw CaseAborted{};
}

}  // namespace tarnwick::e2e
