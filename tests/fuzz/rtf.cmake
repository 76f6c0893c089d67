# The RTF reader reads details pages that may be damaged or written by any other program.
# The fuzz build leaves the Qt programs out, so it builds the RTF library (Qt Gui only) here,
# with coverage instrumentation so that libFuzzer can find its way into the parser.
if(NOT TARGET nimbus_rtf AND NIMBUS_FUZZ)
    find_package(Qt6 QUIET COMPONENTS Gui)
    if(Qt6Gui_FOUND)
        add_subdirectory(${PROJECT_SOURCE_DIR}/src/shell/rtf ${CMAKE_BINARY_DIR}/src/shell/rtf)
        target_compile_options(nimbus_rtf PRIVATE -fsanitize=fuzzer-no-link)
    endif()
endif()
if(TARGET nimbus_rtf)
    nimbus_add_fuzz(fuzz_rtf SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/FuzzRtf.cpp LIBS nimbus_rtf)
endif()
