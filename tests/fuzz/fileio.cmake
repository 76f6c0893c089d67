# Line files and the enciphered container read arbitrary bytes: hand-edited or damaged files.
nimbus_add_fuzz(fuzz_fileio SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/FuzzFileio.cpp LIBS nimbus_fileio)
