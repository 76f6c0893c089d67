# The window's translations. translations/nimbus_<language>.ts hold the texts; lrelease turns
# each into a .qm file that is built into the program as a resource under :/i18n, so a copied or
# moved program folder keeps its languages. `cmake --build <dir> --target translations` runs
# lupdate to add new source texts to every .ts file (and mark vanished ones obsolete).
find_program(NIMBUS_LRELEASE NAMES lrelease lrelease-qt6
             HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec REQUIRED)
find_program(NIMBUS_LUPDATE NAMES lupdate lupdate-qt6
             HINTS /usr/lib/qt6/bin /usr/lib/qt6/libexec REQUIRED)
file(GLOB NIMBUS_TS_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/translations/nimbus_*.ts)

# lupdate's own options: the core's texts are marked with text::translate("Context", "Text"),
# which lupdate reads as it reads QCoreApplication::translate, or with NIMBUS_TEXT_NOOP (and
# NIMBUS_TEXT_N_NOOP for a text with a count) where a table defines them. Locations are left out so that a
# .ts file changes only when a text does.
# The test that checks the .ts files runs lupdate the same way.
set(NIMBUS_LUPDATE_OPTIONS -locations none -no-ui-lines -extensions cpp,h
    -tr-function-alias QT_TRANSLATE_NOOP+=NIMBUS_TEXT_NOOP,QT_TRANSLATE_N_NOOP+=NIMBUS_TEXT_N_NOOP
    CACHE INTERNAL "lupdate's options")

function(nimbus_add_translations target)
    set(qm_files)
    foreach(ts ${NIMBUS_TS_FILES})
        get_filename_component(base ${ts} NAME_WE)
        set(qm ${CMAKE_CURRENT_BINARY_DIR}/i18n/${base}.qm)
        add_custom_command(OUTPUT ${qm}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/i18n
            COMMAND ${NIMBUS_LRELEASE} -silent ${ts} -qm ${qm}
            DEPENDS ${ts} VERBATIM)
        list(APPEND qm_files ${qm})
    endforeach()
    set_source_files_properties(${qm_files} PROPERTIES GENERATED TRUE)
    qt_add_resources(${target} nimbus_translations PREFIX /i18n
                     BASE ${CMAKE_CURRENT_BINARY_DIR}/i18n FILES ${qm_files})
endfunction()

add_custom_target(translations
    COMMAND ${NIMBUS_LUPDATE} ${NIMBUS_LUPDATE_OPTIONS} src -ts ${NIMBUS_TS_FILES}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Bringing translations/*.ts in line with the sources" VERBATIM)
