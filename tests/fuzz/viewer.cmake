# Table lines, viewer options files and sort keys read whatever a viewed file holds.
nimbus_add_fuzz(fuzz_viewer SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/FuzzViewer.cpp LIBS nimbus_viewer_core)
