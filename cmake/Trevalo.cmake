# Narrow literals of the given target are stored in code page 936 (GBK), whatever the source's
# UTF-8 says, so byte-level text rules hold as they would on a Chinese Windows.
function(trevalo_gbk_texts target)
  target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP936)
endfunction()

macro(trevalo_apply_sanitizers)
  if(TREVALO_SANITIZE STREQUAL "address")
    set(_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  elseif(TREVALO_SANITIZE STREQUAL "thread")
    set(_flags -fsanitize=thread -fno-omit-frame-pointer)
  elseif(NOT TREVALO_SANITIZE STREQUAL "")
    message(FATAL_ERROR "TREVALO_SANITIZE must be empty, 'address' or 'thread'")
  endif()
  if(_flags)
    add_compile_options(${_flags})
    add_link_options(${_flags})
  endif()
endmacro()

# One test program per folder of tests; every GoogleTest case becomes a CTest test.
# Labels: 'threaded' marks programs that also run under ThreadSanitizer.
function(trevalo_test name)
  cmake_parse_arguments(arg "GBK" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest_main GTest::gmock)
  if(arg_GBK)
    trevalo_gbk_texts(${name})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  # Discovery would split a list of labels into properties of their own, so CTest reads the labels
  # from a file of their own, after the discovered tests.
  set(labels_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
  file(WRITE ${labels_file}
       "if(${name}_TESTS)\n"
       "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS [==[${arg_LABELS}]==])\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${labels_file})
endfunction()
