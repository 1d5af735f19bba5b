// What a piece of code prints on standard output (the library prints its warnings, reports
// and closing protocol there), and the fixed clock that makes the protocol and the dates
// written into files the same in every run.
#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <string>

namespace gvx::testing {

template <typename Fn>
std::string stdout_of(Fn fn) {
    ::testing::internal::CaptureStdout();
    fn();
    return ::testing::internal::GetCapturedStdout();
}

// 7 December 2026, 09:05:03.
inline std::tm fixed_clock() {
    std::tm t{};
    t.tm_mday = 7;
    t.tm_mon = 11;
    t.tm_year = 2026 - 1900;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 3;
    return t;
}

}  // namespace gvx::testing
