# Layering the build enforces: every library compiles against, and exposes to
# the targets that link it, an include root of its own made in the build tree
# (<build>/include/<library>/<folder>/<Header>.h, each a link to the header in
# src/). A target sees the headers of the libraries it links, directly or
# through them, and no others: a store/ file that included a DB/ header would
# not compile. Headers are included as "<folder>/<Header>.h".

# zelvora_include_root(TARGET SCOPE SOURCES...)
# Makes TARGET's include root from the headers beside SOURCES: a header with a
# .cpp of the same name belongs to the target that compiles that .cpp; a
# header without one belongs to every target built from its folder.
function(zelvora_include_root target scope)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  set(folders "")
  foreach(source ${ARGN})
    get_filename_component(folder ${source} DIRECTORY)
    list(APPEND folders ${folder})
  endforeach()
  list(REMOVE_DUPLICATES folders)
  foreach(folder ${folders})
    file(GLOB headers CONFIGURE_DEPENDS ${folder}/*.h)
    foreach(header ${headers})
      get_filename_component(stem ${header} NAME_WE)
      set(own_source ${folder}/${stem}.cpp)
      if(EXISTS ${own_source} AND NOT own_source IN_LIST ARGN)
        continue()
      endif()
      file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR}/src ${header})
      get_filename_component(link_folder ${root}/${relative} DIRECTORY)
      file(MAKE_DIRECTORY ${link_folder})
      file(CREATE_LINK ${header} ${root}/${relative} SYMBOLIC)
    endforeach()
  endforeach()
  target_include_directories(${target} ${scope} ${root})
endfunction()

# zelvora_library(NAME [SOURCES src...] DEPS dep...)
# A library of the given sources (default: every .cpp in the calling folder),
# linking DEPS publicly; its public headers are the ones beside its sources.
function(zelvora_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(NOT ARG_SOURCES)
    # A folder without code yet still gives its dependants a target to name.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${ARG_SOURCES})
  zelvora_include_root(${name} PUBLIC ${ARG_SOURCES})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# zelvora_test_suite(NAME [OWN_MAIN] DEPS dep...)
# One GoogleTest executable of every .cpp in the calling folder; each test is
# registered with CTest. Tests see the headers of DEPS (and what those link)
# and the shared test helpers under tests/; they find shared test data through
# ZELVORA_TESTDATA.
function(zelvora_test_suite name)
  cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;DEPS" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(NOT ARG_SOURCES)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
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
