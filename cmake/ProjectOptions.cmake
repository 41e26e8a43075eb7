# One interface target carries the language level, warnings and Qt strictness
# macros for every target of the project.
add_library(quillmoor_options INTERFACE)
target_compile_features(quillmoor_options INTERFACE cxx_std_20)
target_compile_options(quillmoor_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
  -Woverloaded-virtual -Wformat=2 -Wimplicit-fallthrough)
target_compile_definitions(quillmoor_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_FOREACH
  QT_NO_KEYWORDS
  QT_STRICT_ITERATORS
  QT_USE_QSTRINGBUILDER
  QT_DISABLE_DEPRECATED_UP_TO=0x060400)

option(QUILLMOOR_WERROR "Treat warnings as errors" OFF)
if(QUILLMOOR_WERROR)
  target_compile_options(quillmoor_options INTERFACE -Werror)
endif()

set(QUILLMOOR_SANITIZE "" CACHE STRING "Sanitizers to build with (address,undefined | thread)")
if(QUILLMOOR_SANITIZE)
  target_compile_options(quillmoor_options INTERFACE -fsanitize=${QUILLMOOR_SANITIZE} -fno-omit-frame-pointer)
  target_link_options(quillmoor_options INTERFACE -fsanitize=${QUILLMOOR_SANITIZE})
endif()
