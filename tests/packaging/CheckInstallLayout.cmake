# Installs the build into a scratch prefix and checks that the program folder holds everything
# the program looks for beside itself, and that the command and desktop files are in place.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    ${PROGRAM_DIR}/nimbus
    ${PROGRAM_DIR}/spawner
    ${PROGRAM_DIR}/Structure.dat
    ${PROGRAM_DIR}/Sounds/claves.wav
    ${PROGRAM_DIR}/Sounds/cork_pop.wav
    ${PROGRAM_DIR}/Sounds/metal_clang.wav
    ${PROGRAM_DIR}/Template/Packs/STD020.pkt
    ${PROGRAM_DIR}/Template/Text/STD020-1.txt
    ${PROGRAM_DIR}/Template/CheckList/STD020-1.~txt
    ${PROGRAM_DIR}/Template/CheckList/STD020-2.lst
    ${PROGRAM_DIR}/Template/CheckList/STD020-2.~lst
    "${PROGRAM_DIR}/Nimbus Desk.html"
    share/applications/nimbus-desk.desktop
    share/metainfo/org.nimbusdesk.NimbusDesk.metainfo.xml
    share/icons/hicolor/scalable/apps/nimbus-desk.svg
    share/icons/hicolor/48x48/apps/nimbus-desk.png
    share/icons/hicolor/256x256/apps/nimbus-desk.png)
# The help file shows these pictures from its own folder.
foreach(image main-window first-run details-page checklist summary-page network-page about-page
              topic-options viewer)
    list(APPEND expected ${PROGRAM_DIR}/manual-images/${image}.png)
endforeach()
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "missing after install: ${path}")
    endif()
endforeach()

if(NOT IS_SYMLINK ${PREFIX}/bin/nimbus)
    message(FATAL_ERROR "bin/nimbus is not a link to the program folder")
endif()
file(READ_SYMLINK ${PREFIX}/bin/nimbus target)
if(NOT target STREQUAL "../${PROGRAM_DIR}/nimbus")
    message(FATAL_ERROR "bin/nimbus points at ${target}")
endif()
file(REMOVE_RECURSE ${PREFIX})
