# System libraries the platform layer wraps. Only src/platform may use them directly.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)

# pkg-config modules, as "<prefix>:<module>"; the installed package config finds the same ones
# for consumers of the static library.
set(ORVANE_PKG_MODULES
  CURL:libcurl
  ICU_UC:icu-uc
  ICU_I18N:icu-i18n
  GDK_PIXBUF:gdk-pixbuf-2.0
  CRYPTO:libcrypto
  CAIRO:cairo
  PANGOCAIRO:pangocairo
  GEOGRAPHICLIB:geographiclib
  SQLITE3:sqlite3
  GSTREAMER:gstreamer-1.0
  GSTREAMER_APP:gstreamer-app-1.0
  GSTREAMER_VIDEO:gstreamer-video-1.0
  GSTREAMER_PBUTILS:gstreamer-pbutils-1.0
  LIBNOTIFY:libnotify
  FONTCONFIG:fontconfig)

set(ORVANE_PKG_TARGETS)
set(ORVANE_PKG_NAMES)  # for the installed orvane.pc
foreach(entry IN LISTS ORVANE_PKG_MODULES)
  string(REPLACE ":" ";" parts ${entry})
  list(GET parts 0 prefix)
  list(GET parts 1 module)
  pkg_check_modules(${prefix} REQUIRED IMPORTED_TARGET ${module})
  list(APPEND ORVANE_PKG_TARGETS PkgConfig::${prefix})
  list(APPEND ORVANE_PKG_NAMES ${module})
endforeach()

# libphonenumber ships neither pkg-config nor CMake files.
find_library(PHONENUMBER_LIBRARY phonenumber REQUIRED)
find_path(RAPIDJSON_INCLUDE_DIR rapidjson/document.h REQUIRED)
# SDL2 is opened with dlopen when the first desktop window is shown, so only its headers are
# used at build time and neither the library nor orvane.pc names it.
find_path(SDL2_INCLUDE_DIR SDL.h PATH_SUFFIXES SDL2 REQUIRED)

set(ORVANE_PRIVATE_LIBRARIES ${ORVANE_PKG_TARGETS} ${PHONENUMBER_LIBRARY} Threads::Threads)
