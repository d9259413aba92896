# The version that korvane and korvane-cli print: the project version, and the
# short commit when the sources are a git checkout of their own (a copy
# unpacked inside some other repository takes no commit from it). A new commit
# configures again, so the commit printed is the one built.
find_package(Git QUIET)
# git_answer(VAR ARGS...): what git rev-parse ARGS prints, or empty when it fails.
function(git_answer var)
  execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse ${ARGN}
                  WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
                  OUTPUT_VARIABLE answer ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    set(answer "")
  endif()
  set(${var} "${answer}" PARENT_SCOPE)
endfunction()

set(KORVANE_COMMIT "")
if(GIT_FOUND)
  git_answer(git_top --show-toplevel)
  if(git_top)
    file(REAL_PATH "${git_top}" git_top)
    file(REAL_PATH "${PROJECT_SOURCE_DIR}" source_top)
  endif()
  if(git_top AND git_top STREQUAL source_top)
    git_answer(KORVANE_COMMIT --short HEAD)
    git_answer(git_log --git-path logs/HEAD)
    cmake_path(ABSOLUTE_PATH git_log BASE_DIRECTORY "${PROJECT_SOURCE_DIR}")
    if(EXISTS "${git_log}")
      set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${git_log}")
    endif()
  endif()
endif()

configure_file("${CMAKE_CURRENT_LIST_DIR}/KorvaneVersion.h.in" "${PROJECT_BINARY_DIR}/generated/KorvaneVersion.h" @ONLY)
add_library(korvane_version INTERFACE)
target_include_directories(korvane_version INTERFACE "${PROJECT_BINARY_DIR}/generated")
