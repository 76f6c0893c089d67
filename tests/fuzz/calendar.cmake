# The calendar importer: any bytes as an .ics file, then the import into a scratch store.
nimbus_add_fuzz(fuzz_calendar SOURCES ${CMAKE_CURRENT_LIST_DIR}/FuzzCalendar.cpp LIBS nimbus_calendar nimbus_store)
