# The Spawner's command line comes from the install script, which anything on the download
# site may have shaped. The argument reader has no Qt and no X11, so it is built on its own.
nimbus_add_fuzz(fuzz_spawner
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/FuzzSpawner.cpp
            ${PROJECT_SOURCE_DIR}/src/spawner/SpawnerArguments.cpp)
foreach(target fuzz_spawner_replay fuzz_spawner_fuzzer)
    if(TARGET ${target})
        target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src/spawner)
    endif()
endforeach()
