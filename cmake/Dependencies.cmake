# System libraries the platform layer wraps. Only src/platform may use them directly.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(CURL REQUIRED IMPORTED_TARGET libcurl)
find_path(RAPIDJSON_INCLUDE_DIR rapidjson/document.h REQUIRED)
