# What the Windows cross build takes from the build host: the header-only JSON library and
# GoogleTest's sources. Neither may bring the host's own include folder into a Windows compile
# (its C library headers would shadow MinGW's), so the JSON headers are reached through a folder
# of their own.
set(TL_HOST_JSON_HEADERS /usr/include/nlohmann)
if(NOT EXISTS ${TL_HOST_JSON_HEADERS}/json.hpp)
  message(FATAL_ERROR "nlohmann/json headers not found in ${TL_HOST_JSON_HEADERS} (package nlohmann-json3-dev)")
endif()
set(TL_JSON_INCLUDE ${CMAKE_BINARY_DIR}/windows-include)
file(MAKE_DIRECTORY ${TL_JSON_INCLUDE})
file(CREATE_LINK ${TL_HOST_JSON_HEADERS} ${TL_JSON_INCLUDE}/nlohmann SYMBOLIC)
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${TL_JSON_INCLUDE})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)

# The Win32 libraries the platform layer calls.
set(TL_WIN32_LIBRARIES user32 gdi32 winmm shell32 comdlg32)
