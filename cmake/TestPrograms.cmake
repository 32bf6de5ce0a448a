# What every test program shares: its precompiled header ("qt-test" when a library it links
# uses Qt Widgets, else "test") and, when KESTRION_TEST_OPTIMIZE is set (the "dev" preset's
# -O1), its optimisation; the libraries under test keep the build type's.
set(KESTRION_TEST_OPTIMIZE "" CACHE STRING "Optimisation of the test programs, e.g. -O1 (empty: the build type's)")

function(kestrion_test_program_options target)
  set(kind test)
  get_target_property(libraries ${target} LINK_LIBRARIES)
  foreach(library IN LISTS libraries)
    if(TARGET ${library})
      get_target_property(uses ${library} INTERFACE_LINK_LIBRARIES)
      if(library STREQUAL "Qt6::Widgets" OR "Qt6::Widgets" IN_LIST uses)
        set(kind qt-test)
      endif()
    endif()
  endforeach()
  kestrion_precompile(${target} ${kind})
  if(KESTRION_TEST_OPTIMIZE)
    target_compile_options(${target} PRIVATE ${KESTRION_TEST_OPTIMIZE})
  endif()
endfunction()
