# Adds each listed folder (a path from the top of the tree) that carries a
# CMakeLists.txt; works from any CMakeLists, not only the top one.
function(locastra_add_modules)
    foreach(dir IN LISTS ARGN)
        if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
            # Paths are from the top of the tree, wherever the call is made.
            add_subdirectory(${CMAKE_SOURCE_DIR}/${dir} ${CMAKE_BINARY_DIR}/${dir})
        endif()
    endforeach()
endfunction()

# locastra_add_gtest(NAME SOURCES a.cpp b.cpp LIBS lib1 lib2 [MAIN main_library])
# One GoogleTest program, run by CTest offscreen. MAIN names the library with the
# program's main() (default: locastra_test_main, a QApplication).
function(locastra_add_gtest name)
    cmake_parse_arguments(T "" "MAIN" "SOURCES;LIBS" ${ARGN})
    if(NOT T_MAIN)
        set(T_MAIN locastra_test_main)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} ${T_MAIN} GTest::gtest GTest::gmock)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LOCASTRA_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data"
        TIMEOUT 300)
endfunction()

# locastra_add_benchmark(NAME SOURCES a.cpp LIBS lib1)
function(locastra_add_benchmark name)
    cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${B_SOURCES})
    target_link_libraries(${name} PRIVATE ${B_LIBS} benchmark::benchmark)
endfunction()

# locastra_add_qgis_gtest(NAME SOURCES a.cpp LIBS lib1)
# One GoogleTest program in a QgsApplication (QGIS initialised), run offscreen.
function(locastra_add_qgis_gtest name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    locastra_add_gtest(${name} SOURCES ${T_SOURCES} LIBS ${T_LIBS} MAIN qgis_test_main)
endfunction()

# locastra_add_flavour_folders(HOST_ONLY a b ...)
# Adds every sub-folder of the calling folder that has a CMakeLists.txt, except
# support/ (the caller adds it first), those of our own map host named in HOST_ONLY
# (only the Qt 6 build has that host) and those named qgis* (the QGIS host, which
# only the Qt 5 build has).
function(locastra_add_flavour_folders)
    cmake_parse_arguments(F "" "" "HOST_ONLY" ${ARGN})
    file(GLOB dirs LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
    foreach(dir IN LISTS dirs)
        get_filename_component(name ${dir} NAME)
        if(NOT IS_DIRECTORY ${dir} OR NOT EXISTS ${dir}/CMakeLists.txt OR name STREQUAL "support")
            continue()
        endif()
        if(LOCASTRA_QT_MAJOR EQUAL 5 AND name IN_LIST F_HOST_ONLY)
            continue()
        endif()
        if(NOT LOCASTRA_QT_MAJOR EQUAL 5 AND name MATCHES "^qgis")
            continue()
        endif()
        add_subdirectory(${dir})
    endforeach()
endfunction()
