// The check every fuzz target states its invariants with: a broken invariant prints what was
// expected and aborts, which libFuzzer reports as a crash and saves the input for.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                \
  do                                                                                         \
  {                                                                                          \
    if (!(condition))                                                                        \
    {                                                                                        \
      std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (false)
