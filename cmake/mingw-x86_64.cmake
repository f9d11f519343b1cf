# The same sources for 64-bit Windows: what the fast test tiers run under the
# 64-bit Wine loader, which starts on every machine.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TARNWICK_TRIPLE x86_64-w64-mingw32)
set(TARNWICK_WINE ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
