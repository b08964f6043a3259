# CLI11 for the Windows cross build: the host's header-only copy, seen through
# an include folder that holds nothing else (the host's /usr/include must not
# reach the cross compiler).
if(NOT TARGET CLI11::CLI11)
    add_library(CLI11::CLI11 INTERFACE IMPORTED)
    set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${GLT_HOST_HEADERS}")
endif()
set(CLI11_FOUND TRUE)
