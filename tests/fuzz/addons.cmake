# "Addons.dat" lives in the data folder, where a hand edit or a damaged disk may change it.
if(TARGET nimbus_sharing)
    nimbus_add_fuzz(fuzz_addons SOURCES ${CMAKE_CURRENT_LIST_DIR}/FuzzAddons.cpp LIBS nimbus_sharing)
endif()
