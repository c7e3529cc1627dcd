# SPDX-License-Identifier: GPL-3.0-or-later
# The hardening that Debian builds its packages with (dpkg-buildflags with
# hardening=+all on amd64): stack protector, format checks, fortified C
# library calls, read-only relocations bound at start-up, and a
# position-independent executable. None of these touches floating-point code
# generation.
include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
add_link_options(LINKER:-z,relro LINKER:-z,now)

# The fortified calls need the optimiser (without it glibc only warns, and the
# warning is an error here); under the sanitizers they would hide the very
# overflows the sanitizers report.
if(NOT NLE_SANITIZE)
  add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
endif()
