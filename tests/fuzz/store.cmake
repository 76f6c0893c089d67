# The store's readers: store file, page lists, checklists, page descriptions and settings.
nimbus_add_fuzz(fuzz_store SOURCES ${CMAKE_CURRENT_LIST_DIR}/FuzzStore.cpp LIBS nimbus_store)
