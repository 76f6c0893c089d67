# Command lines arrive from other processes: parsing and field splitting see arbitrary bytes.
nimbus_add_fuzz(fuzz_ipc SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/FuzzIpc.cpp LIBS nimbus_ipc)
