# zelvora_library(NAME [QT] DEPS dep...)
# A library of every .cpp in the calling folder. Public headers are included as
# "<folder>/<Header>.h" from src/.
function(zelvora_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(NOT ARG_SOURCES)
    # A folder without code yet still gives its dependants a target to name.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# zelvora_test_suite(NAME [OWN_MAIN] DEPS dep...)
# One GoogleTest executable of every .cpp in the calling folder; each test is
# registered with CTest. Tests find shared test data through ZELVORA_TESTDATA.
function(zelvora_test_suite name)
  cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(NOT ARG_SOURCES)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock)
  if(NOT ARG_OWN_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_compile_definitions(${name} PRIVATE
    ZELVORA_TESTDATA="${PROJECT_SOURCE_DIR}/testdata"
    ZELVORA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# zelvora_fuzzer(NAME SOURCE DEPS dep...)
function(zelvora_fuzzer name source)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(${name} ${source})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# zelvora_ship_files(TARGET)
# Copies the files of ZELVORA_SHIPPED_FILES into the folder of the program
# TARGET (built in the calling folder) whenever they change.
function(zelvora_ship_files target)
  set(copies)
  foreach(file ${ZELVORA_SHIPPED_FILES})
    get_filename_component(name ${file} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${copy}
      DEPENDS ${file}
      COMMENT "Shipping ${name} beside ${target}")
    list(APPEND copies ${copy})
  endforeach()
  add_custom_target(${target}_shipped_files DEPENDS ${copies})
  add_dependencies(${target} ${target}_shipped_files)
endfunction()
