// Lean replacements for C++ run-time helpers. The library's own versions build
// standard exception objects and format messages, which would pull a demangler,
// printf and a second string implementation into the program.
#include <cstdlib>

#include "SysUtils.h"

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace std {
void __throw_bad_function_call() { throw Exception(L"Bad function call"); }
void __throw_length_error(const char*) { throw EOutOfResources(L"Length error"); }
void __throw_logic_error(const char*) { throw Exception(L"Logic error"); }
void __throw_out_of_range(const char*) { throw Exception(L"Range error"); }
void __throw_out_of_range_fmt(const char*, ...) { throw Exception(L"Range error"); }
void __throw_bad_alloc() { throw EOutOfResources(L"Out of memory"); }
void __throw_bad_array_new_length() { throw EOutOfResources(L"Out of memory"); }
void __throw_invalid_argument(const char*) { throw Exception(L"Invalid argument"); }
}  // namespace std
