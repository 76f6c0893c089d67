# Page text extraction and the query language take pages from colleagues and whatever is typed.
if(TARGET nimbus_search)
    nimbus_add_fuzz(fuzz_search SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/FuzzSearch.cpp LIBS nimbus_search)
endif()
