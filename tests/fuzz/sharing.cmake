# LAN sharing: the packet reader and checks, the merge of what passes them, and page lists as
# the content import rewrites and checks them.
nimbus_add_fuzz(fuzz_sharing SOURCES ${CMAKE_CURRENT_LIST_DIR}/FuzzSharing.cpp LIBS nimbus_sharing)
