# Run by "cmake --install": copies the plug-in (ORV_PLUGIN_FILE) into the VST
# folder ORV_VST_DIR, taken relative to the install prefix unless absolute.
# Left empty it is ~/.vst for a per-user prefix (~/.local), the folder Linux
# hosts scan for each user, else <prefix>/lib/vst (/usr/local/lib/vst for the
# usual prefix, which hosts scan too).
if(ORV_VST_DIR STREQUAL "")
  set(ORV_VST_DIR "lib/vst")
  if(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "")
    get_filename_component(user_prefix "$ENV{HOME}/.local" ABSOLUTE)
    get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
    if(prefix STREQUAL user_prefix)
      set(ORV_VST_DIR "$ENV{HOME}/.vst")
    endif()
  endif()
endif()
if(NOT IS_ABSOLUTE "${ORV_VST_DIR}")
  set(ORV_VST_DIR "${CMAKE_INSTALL_PREFIX}/${ORV_VST_DIR}")
endif()
file(INSTALL DESTINATION "${ORV_VST_DIR}" TYPE MODULE FILES "${ORV_PLUGIN_FILE}")
