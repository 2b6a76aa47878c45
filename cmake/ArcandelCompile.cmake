# Compile settings shared by every target of the project.
add_library(arcandel_options INTERFACE)
target_compile_options(arcandel_options INTERFACE -Wall -Wextra -Wpedantic)
if(ARCANDEL_WERROR)
  target_compile_options(arcandel_options INTERFACE -Werror)
endif()
target_compile_definitions(arcandel_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_USE_QSTRINGBUILDER
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
if(ARCANDEL_SANITIZE)
  target_compile_options(arcandel_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(arcandel_options INTERFACE -fsanitize=address,undefined)
endif()
