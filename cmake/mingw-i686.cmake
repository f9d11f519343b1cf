# The shipped program: 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARNWICK_TRIPLE i686-w64-mingw32)
# Wine takes the ANSI code page (936) from the locale: the texts are CP936.
set(TARNWICK_WINE env LC_ALL=zh_CN.UTF-8 wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
