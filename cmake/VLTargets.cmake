# Shared compile settings and the helpers every subsystem folder uses.

add_library(vl_warnings INTERFACE)
target_compile_options(vl_warnings INTERFACE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual)

if(VL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# vl_add_subsystem(<name> DEPS <targets...>)
# One static library per folder, made of every source in that folder, so that adding a
# file needs no edit here. The folder itself is the public include path: a layer sees
# the headers of exactly the layers it links.
function(vl_add_subsystem name)
    cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/*.ui)
    set(cpp ${sources})
    list(FILTER cpp INCLUDE REGEX "\\.cpp$")
    if(NOT cpp)
        # A folder whose code is still to come: keep the link graph whole.
        add_library(${name} INTERFACE)
        add_library(vl::${name} ALIAS ${name})
        target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${ARG_DEPS})
        return()
    endif()
    add_library(${name} STATIC ${sources})
    add_library(vl::${name} ALIAS ${name})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE vl_warnings ${ARG_PRIVATE_DEPS})
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
endfunction()

# vl_add_test_folder(<folder> DEPS <targets...>)
# Builds tests/<folder>/*.cpp into one GoogleTest executable. A folder that brings its
# own main.cpp (for example to create a QApplication) does not get gtest_main.
function(vl_add_test_folder folder)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    if(NOT sources)
        return()
    endif()
    set(exe ${folder}_tests)
    add_executable(${exe} ${sources})
    set(main_lib GTest::gtest_main)
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/main.cpp)
        set(main_lib GTest::gtest)
    endif()
    target_link_libraries(${exe} PRIVATE ${ARG_DEPS} ${main_lib} GTest::gmock vl_warnings)
    target_compile_definitions(${exe} PRIVATE
        VL_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/${folder}/data"
        VL_BINARY_DIR="${CMAKE_BINARY_DIR}")
    gtest_discover_tests(${exe}
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
        DISCOVERY_TIMEOUT 60)
endfunction()
