# The shipping build (scripts/package): small and the same from any clone.
# - link-time optimisation where the toolchain has it, unused code and data
#   dropped, symbols stripped;
# - no path of the build machine inside the program (sources and build tree
#   are named by relative names), no time of the build (the PE header's
#   time stamp is left out).
include(CheckIPOSupported)
check_ipo_supported(RESULT NIMBRA_IPO OUTPUT NIMBRA_IPO_MESSAGE LANGUAGES CXX)
if(NIMBRA_IPO)
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
else()
  message(STATUS "No link-time optimisation: ${NIMBRA_IPO_MESSAGE}")
endif()
add_compile_options(-ffunction-sections -fdata-sections
                    -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=
                    -ffile-prefix-map=${CMAKE_BINARY_DIR}/=)
add_link_options(-s -Wl,--gc-sections)
if(MINGW)
  add_link_options(-Wl,--no-insert-timestamp)
endif()
