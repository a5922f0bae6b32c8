# Part of `cmake --install`: writes the machine scope of the configuration
# (installation folder, default language, per-language files, dealer
# defaults) into the XDG system configuration folder of the install prefix,
# where the installed programs look for it: /etc/xdg for the prefix /usr,
# <prefix>/etc/xdg for any other.
# Expects KVX_SETTINGS_TOOL and KVX_DATA_DESTINATION.
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(kvx_sysconf "/etc")
else()
  set(kvx_sysconf "${CMAKE_INSTALL_PREFIX}/etc")
endif()
set(kvx_machine_file "$ENV{DESTDIR}${kvx_sysconf}/xdg/Varnholt/kvxzot.ini")
message(STATUS "Installing: ${kvx_machine_file}")
get_filename_component(kvx_machine_folder "${kvx_machine_file}" DIRECTORY)
file(MAKE_DIRECTORY "${kvx_machine_folder}")
execute_process(COMMAND "${KVX_SETTINGS_TOOL}" "${kvx_machine_file}" "${CMAKE_INSTALL_PREFIX}/${KVX_DATA_DESTINATION}"
  RESULT_VARIABLE kvx_result)
if(NOT kvx_result EQUAL 0)
  message(FATAL_ERROR "Cannot write the machine configuration ${kvx_machine_file}")
endif()
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${kvx_machine_file}")
