# A render must be byte-identical on every build we make. Two compiler habits
# break that: fusing a*b+c into one rounding (FMA contraction) and the i686
# default of x87 arithmetic with 80-bit intermediates. Turn both off
# everywhere, for every optimisation level.
add_compile_options(-ffp-contract=off -fno-fast-math)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "i.86" OR CMAKE_C_COMPILER MATCHES "i686")
  add_compile_options(-msse2 -mfpmath=sse)
endif()
