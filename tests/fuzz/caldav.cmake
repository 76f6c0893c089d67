# Calendar sync: any bytes as a CalDAV server's multistatus answer.
nimbus_add_fuzz(fuzz_caldav SOURCES ${CMAKE_CURRENT_LIST_DIR}/FuzzCalDav.cpp LIBS nimbus_caldav)
