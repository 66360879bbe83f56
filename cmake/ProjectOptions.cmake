# Warnings and sanitizers as INTERFACE targets that every target links.
add_library(showcard_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  target_compile_options(showcard_warnings INTERFACE -Wall -Wextra -Wshadow -Wconversion-null
                         -Wno-sign-conversion)
endif()

add_library(showcard_options INTERFACE)
target_compile_features(showcard_options INTERFACE cxx_std_20)
target_link_libraries(showcard_options INTERFACE showcard_warnings)
if(SHOWCARD_SANITIZE)
  target_compile_options(showcard_options INTERFACE -fsanitize=address,undefined
                         -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(showcard_options INTERFACE -fsanitize=address,undefined)
endif()
