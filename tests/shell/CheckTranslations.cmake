# Fails when a text of the sources is missing from a language's .ts file (lupdate was not run
# after the text was added) or a language leaves a text untranslated. Works on copies: the
# repository's files are never changed by a test run.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(GLOB ts_files ${SOURCE}/translations/nimbus_*.ts)
if(NOT ts_files)
    message(FATAL_ERROR "no translations in ${SOURCE}/translations")
endif()
set(problems "")
foreach(ts ${ts_files})
    get_filename_component(name ${ts} NAME)
    configure_file(${ts} ${WORK}/${name} COPYONLY)
    execute_process(COMMAND ${LUPDATE} ${OPTIONS} src -ts ${WORK}/${name}
                    WORKING_DIRECTORY ${SOURCE} OUTPUT_VARIABLE out ERROR_VARIABLE err
                    RESULT_VARIABLE failed)
    if(failed)
        string(APPEND problems "lupdate failed on ${name}: ${err}\n")
    elseif(NOT out MATCHES "\\(0 new and")
        string(APPEND problems "${name} misses texts of the sources (run the translations target): ${out}\n")
    endif()
    execute_process(COMMAND ${LRELEASE} ${WORK}/${name} -qm ${WORK}/${name}.qm
                    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE failed)
    if(failed OR out MATCHES " [1-9][0-9]* unfinished" OR out MATCHES "Ignored")
        string(APPEND problems "${name} leaves texts untranslated: ${out}${err}\n")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
if(problems)
    message(FATAL_ERROR "${problems}")
endif()
