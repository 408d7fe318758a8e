# The model computes in x87 extended precision; refuse to build where long double is narrower.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles("
#include <limits>
static_assert(std::numeric_limits<long double>::digits == 64, \"no 64-bit significand\");
int main() { return 0; }" KELVARO_HAS_X87_EXTENDED)
if(NOT KELVARO_HAS_X87_EXTENDED)
  message(FATAL_ERROR
    "Kelvaro needs 'long double' with a 64-bit significand (x87 extended precision, "
    "as on x86 and x86-64 with GCC or Clang). This compiler/target does not provide it.")
endif()
