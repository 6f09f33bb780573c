# Run by "cmake --install": copies the plug-in (ORV_PLUGIN_FILE) into the VST
# folder ORV_VST_DIR, taken relative to the install prefix unless absolute,
# and the LV2 bundle (ORV_LV2_BUNDLE) into the LV2 folder. Left empty the VST
# folder is ~/.vst for a per-user prefix (~/.local), the folder Linux hosts
# scan for each user, else <prefix>/lib/vst (/usr/local/lib/vst for the usual
# prefix, which hosts scan too); the LV2 folder likewise ~/.lv2 or
# <prefix>/lib/lv2.
set(per_user_prefix FALSE)
if(DEFINED ENV{HOME} AND NOT "$ENV{HOME}" STREQUAL "")
  get_filename_component(user_prefix "$ENV{HOME}/.local" ABSOLUTE)
  get_filename_component(prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
  if(prefix STREQUAL user_prefix)
    set(per_user_prefix TRUE)
  endif()
endif()
if(ORV_VST_DIR STREQUAL "")
  set(ORV_VST_DIR "lib/vst")
  if(per_user_prefix)
    set(ORV_VST_DIR "$ENV{HOME}/.vst")
  endif()
endif()
if(NOT IS_ABSOLUTE "${ORV_VST_DIR}")
  set(ORV_VST_DIR "${CMAKE_INSTALL_PREFIX}/${ORV_VST_DIR}")
endif()
file(INSTALL DESTINATION "${ORV_VST_DIR}" TYPE MODULE FILES "${ORV_PLUGIN_FILE}")

if(DEFINED ORV_LV2_BUNDLE AND NOT ORV_LV2_BUNDLE STREQUAL "")
  set(lv2_dir "${CMAKE_INSTALL_PREFIX}/lib/lv2")
  if(per_user_prefix)
    set(lv2_dir "$ENV{HOME}/.lv2")
  endif()
  file(INSTALL DESTINATION "${lv2_dir}" TYPE DIRECTORY FILES "${ORV_LV2_BUNDLE}" USE_SOURCE_PERMISSIONS)
endif()
