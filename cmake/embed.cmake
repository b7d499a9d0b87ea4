# Turns a data file into a C++ source holding its bytes: cmake -DIN=... -DOUT=... -DNAME=... -P
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUT}" "// Generated from ${IN}; do not edit.\n#include <cstddef>\nnamespace fw {\nextern const unsigned char ${NAME}[] = {\n${bytes}0x00};\nextern const std::size_t ${NAME}Size = ${size};\n}  // namespace fw\n")
