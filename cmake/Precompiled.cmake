# Precompiled headers: the Qt widget headers for the Qt libraries, GoogleTest and the standard
# library for the tests. A precompiled header is used only with the flags it was made with, so
# one is made per kind of target and reused by the others of its kind: the Qt libraries (-fPIC),
# the core tests, and the Qt tests (-fPIE); CMake's -Winvalid-pch says when one cannot be used.
option(KESTRION_PCH "Precompile the Qt, GoogleTest and standard headers" ON)

set(KESTRION_PCH_STD <algorithm> <array> <atomic> <chrono> <cmath> <cstdint> <cstdio> <cstdlib> <cstring>
                     <filesystem> <fstream> <functional> <map> <memory> <mutex> <optional> <set> <sstream>
                     <string> <string_view> <thread> <utility> <vector>)
set(KESTRION_PCH_QT <QApplication> <QColor> <QFont> <QFontMetrics> <QImage> <QLabel> <QLineEdit> <QMouseEvent>
                    <QPainter> <QPushButton> <QString> <QStyle> <QTimer> <QVBoxLayout> <QWidget>)
set(KESTRION_PCH_TEST <gtest/gtest.h> <gmock/gmock.h>)

# Gives the target the precompiled header of its kind: made for the first target of the kind,
# reused by the rest.
function(kestrion_precompile target kind)
  if(NOT KESTRION_PCH)
    return()
  endif()
  get_property(owner GLOBAL PROPERTY KESTRION_PCH_OWNER_${kind})
  if(owner)
    target_precompile_headers(${target} REUSE_FROM ${owner})
  else()
    set_property(GLOBAL PROPERTY KESTRION_PCH_OWNER_${kind} ${target})
    if(kind STREQUAL "qt")
      target_precompile_headers(${target} PRIVATE ${KESTRION_PCH_STD} ${KESTRION_PCH_QT})
    elseif(kind STREQUAL "test")
      target_precompile_headers(${target} PRIVATE ${KESTRION_PCH_STD} ${KESTRION_PCH_TEST})
    else()
      target_precompile_headers(${target} PRIVATE ${KESTRION_PCH_STD} ${KESTRION_PCH_TEST} ${KESTRION_PCH_QT})
    endif()
  endif()
  if(KESTRION_PCH_LAUNCHER)
    set_target_properties(${target} PROPERTIES CXX_COMPILER_LAUNCHER ${KESTRION_PCH_LAUNCHER})
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -fpch-preprocess)
    endif()
  endif()
endfunction()

# ccache caches the objects of targets with a precompiled header only with these sloppiness
# settings, and with gcc only when the precompiled header reaches the preprocessor's output
# (-fpch-preprocess); those targets compile through this launcher.
if(KESTRION_PCH AND CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
  set(KESTRION_PCH_LAUNCHER ${PROJECT_BINARY_DIR}/ccache-pch)
  file(WRITE ${KESTRION_PCH_LAUNCHER}
       "#!/bin/sh\nCCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime exec ${CMAKE_CXX_COMPILER_LAUNCHER} \"$@\"\n")
  file(CHMOD ${KESTRION_PCH_LAUNCHER} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
       WORLD_READ WORLD_EXECUTE)
endif()
