# nlohmann-json for the Windows cross build, as CLI11Config.cmake beside it.
if(NOT TARGET nlohmann_json::nlohmann_json)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${GLT_HOST_HEADERS}")
endif()
set(nlohmann_json_FOUND TRUE)
