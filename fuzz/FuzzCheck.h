#pragma once
// What a harness may let pass and what it holds the code to.

#include <cstdio>
#include <cstdlib>

namespace morvanta::fuzz {

// Runs fn. The exceptions named are what the operation promises for input
// it refuses, so they end the call quietly; anything else escapes and the
// fuzzer reports it as a crash.
template <class Fn>
void tolerate(Fn&& fn) {
  fn();
}
template <class First, class... More, class Fn>
void tolerate(Fn&& fn) {
  try {
    tolerate<More...>(fn);
  } catch (const First&) {
  }
}

[[noreturn]] inline void fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, what);
  std::abort();
}

}  // namespace morvanta::fuzz

// A property every input must keep; a break aborts so the fuzzer saves the input.
#define FUZZ_CHECK(cond) \
  ((cond) ? static_cast<void>(0) : ::morvanta::fuzz::fail(#cond, __FILE__, __LINE__))
