# Helpers shared by every folder of the project.

# Warnings are errors on our own code only; Qt's and GoogleTest's headers come in as system headers.
# With SUITE_PCH each target also precompiles the Qt and standard headers that nearly every file includes.
function(suite_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  if(SUITE_PCH)
    target_precompile_headers(${target} PRIVATE
      <QtCore/QByteArray> <QtCore/QList> <QtCore/QObject> <QtCore/QString> <QtCore/QStringList> <QtCore/QVariant>
      <cstdint> <functional> <memory> <mutex> <optional> <span> <string> <thread> <vector>)
  endif()
endfunction()

# A static library of the project, with its warnings.
function(suite_library target)
  add_library(${target} STATIC ${ARGN})
  suite_warnings(${target})
endfunction()

# A program of the suite, written to suite/<name>/<name>.
function(suite_program target name)
  add_executable(${target} ${ARGN})
  suite_warnings(${target})
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${name}
    RUNTIME_OUTPUT_DIRECTORY ${SUITE_OUTPUT_DIR}/${name})
endfunction()

# A GoogleTest executable run by CTest; the shared main gives it a QApplication.
function(suite_test target)
  add_executable(${target} ${ARGN})
  suite_warnings(${target})
  target_link_libraries(${target} PRIVATE suite_testmain GTest::gtest GTest::gmock)
  if(SUITE_PCH)
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h>)
  endif()
  gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# Compiles a string table (id, Italian, English) into the target as :/strings/<alias>. A program's own
# table is "program.tsv"; the table every program shares is "common.tsv".
function(suite_string_table target tsv alias)
  set_source_files_properties(${tsv} PROPERTIES QT_RESOURCE_ALIAS ${alias})
  qt_add_resources(${target} ${target}_strings PREFIX /strings FILES ${tsv})
endfunction()
