# The API reference: `cmake --build --preset dev --target docs` writes HTML from the public
# headers' comments to <build>/docs/html. Not part of the default build; any warning fails it.
find_package(Doxygen)
if(DOXYGEN_FOUND)
  set(DOXYGEN_PROJECT_NAME Orvane)
  set(DOXYGEN_PROJECT_NUMBER ${PROJECT_VERSION})
  set(DOXYGEN_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/docs)
  set(DOXYGEN_FILE_PATTERNS *.h)
  # The headers' comments are plain // lines; the filter hands them to Doxygen as they are.
  set(DOXYGEN_INPUT_FILTER "awk -f ${CMAKE_CURRENT_LIST_DIR}/DoxygenComments.awk")
  set(DOXYGEN_EXTRACT_ALL YES)
  set(DOXYGEN_BUILTIN_STL_SUPPORT YES)  # knows std::hash, which String specialises
  set(DOXYGEN_HAVE_DOT NO)
  set(DOXYGEN_STRIP_FROM_PATH ${PROJECT_SOURCE_DIR}/include)
  set(DOXYGEN_STRIP_FROM_INC_PATH ${PROJECT_SOURCE_DIR}/include)
  set(DOXYGEN_QUIET YES)
  set(DOXYGEN_WARN_AS_ERROR FAIL_ON_WARNINGS)
  doxygen_add_docs(docs ${PROJECT_SOURCE_DIR}/include
                   COMMENT "API reference from the public headers")
endif()
