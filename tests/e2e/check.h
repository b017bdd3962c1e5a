#pragma once
// The driver's small check framework. Every check prints one line:
//   PASS <case>: <what>
//   FAIL <case>: <what>: expected <x>, actual <y>
// and is counted in the run's Report.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace tarnwick::e2e {

class Report {
  public:
    void Pass(std::wstring_view caseName, std::wstring_view what);
    void Fail(std::wstring_view caseName, std::wstring_view what, std::wstring_view expected,
              std::wstring_view actual);
    int Passed() const { return passed_; }
    int Failed() const { return failed_; }

  private:
    int passed_ = 0;
    int failed_ = 0;
};

// Thrown by Check::Abort once the failure is reported: the case cannot go on, and its clean-up
// runs as the stack unwinds.
struct CaseAborted {};

// The checks of one case.
class Check {
  public:
    Check(Report& report, std::wstring caseName) : report_(report), case_(std::move(caseName)) {}

    const std::wstring& CaseName() const { return case_; }

    // The general form: expected and actual are already written as text.
    bool That(std::wstring_view what, bool ok, std::wstring_view expected,
              std::wstring_view actual);
    // Texts are compared exactly and shown quoted.
    bool Equal(std::wstring_view what, std::wstring_view expected, std::wstring_view actual);
    bool Equal(std::wstring_view what, std::int64_t expected, std::int64_t actual);
    bool EqualFlag(std::wstring_view what, bool expected, bool actual);
    bool Near(std::wstring_view what, double expected, double actual, double tolerance);
    // Reports a failure and ends the case.
    [[noreturn]] void Abort(std::wstring_view what, std::wstring_view expected,
                            std::wstring_view actual);

    int Failures() const { return failures_; }

  private:
    Report& report_;
    std::wstring case_;
    int failures_ = 0;
};

}  // namespace tarnwick::e2e
