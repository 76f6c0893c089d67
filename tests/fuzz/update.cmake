# The update module reads files written by others: its own register (hand-edited or damaged),
# downloaded update lists and installers' registration files.
nimbus_add_fuzz(fuzz_register SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/FuzzRegister.cpp
                LIBS nimbus_update)
nimbus_add_fuzz(fuzz_updatelist SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/FuzzUpdateList.cpp
                LIBS nimbus_update)
nimbus_add_fuzz(fuzz_registration SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/FuzzRegistration.cpp
                LIBS nimbus_update)
