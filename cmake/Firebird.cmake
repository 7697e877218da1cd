# The Firebird client library and the private engine configuration the program ships with.
find_path(FIREBIRD_INCLUDE_DIR firebird/Interface.h REQUIRED)
find_library(FIREBIRD_CLIENT_LIBRARY NAMES fbclient REQUIRED)
add_library(Firebird::Client UNKNOWN IMPORTED)
set_target_properties(Firebird::Client PROPERTIES
    IMPORTED_LOCATION "${FIREBIRD_CLIENT_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${FIREBIRD_INCLUDE_DIR}")

# The system's engine folder (plugins, messages, character sets).
find_path(FIREBIRD_SYSTEM_ROOT firebird.msg
    PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/firebird/3.0 /usr/lib/firebird/3.0
    NO_DEFAULT_PATH REQUIRED)

# The embedded engine locks a database file to one process unless it runs as SuperClassic.
# The program points the client at this folder (environment variable FIREBIRD) so that a
# second copy, or isql-fb with the same configuration, can share the file. The character-set
# module must be a real copy: the engine refuses WIN1252 when libfbintl.so is a symlink.
set(CUISINOTTE_FIREBIRD_ROOT "${CMAKE_BINARY_DIR}/bin/firebird")
add_custom_command(
    OUTPUT "${CUISINOTTE_FIREBIRD_ROOT}/firebird.conf"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CUISINOTTE_FIREBIRD_ROOT}/intl"
    COMMAND ${CMAKE_COMMAND} -E copy "${PROJECT_SOURCE_DIR}/db/firebird.conf" "${CUISINOTTE_FIREBIRD_ROOT}/firebird.conf"
    COMMAND ${CMAKE_COMMAND} -E copy "${FIREBIRD_SYSTEM_ROOT}/plugins.conf" "${CUISINOTTE_FIREBIRD_ROOT}/plugins.conf"
    COMMAND ${CMAKE_COMMAND} -E create_symlink "${FIREBIRD_SYSTEM_ROOT}/plugins" "${CUISINOTTE_FIREBIRD_ROOT}/plugins"
    COMMAND ${CMAKE_COMMAND} -E create_symlink "${FIREBIRD_SYSTEM_ROOT}/firebird.msg" "${CUISINOTTE_FIREBIRD_ROOT}/firebird.msg"
    COMMAND ${CMAKE_COMMAND} -E copy "${FIREBIRD_SYSTEM_ROOT}/intl/fbintl.conf" "${CUISINOTTE_FIREBIRD_ROOT}/intl/fbintl.conf"
    COMMAND ${CMAKE_COMMAND} -E copy "${FIREBIRD_SYSTEM_ROOT}/intl/libfbintl.so" "${CUISINOTTE_FIREBIRD_ROOT}/intl/libfbintl.so"
    DEPENDS "${PROJECT_SOURCE_DIR}/db/firebird.conf"
    COMMENT "Laying out the private Firebird configuration"
    VERBATIM)
add_custom_target(firebird_root ALL DEPENDS "${CUISINOTTE_FIREBIRD_ROOT}/firebird.conf")
