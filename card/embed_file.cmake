# Turns a binary file into a C++ header holding its bytes, at build time.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "#pragma once\n// Generated from ${NAME}; do not edit.\n#include <cstddef>\n#include <cstdint>\nnamespace card {\ninline constexpr std::uint8_t ${SYMBOL}[] = {\n${bytes}};\ninline constexpr std::size_t ${SYMBOL}Size = ${size};\n}  // namespace card\n")
