# Writes a C++ source that holds the bytes of INPUT as a character array
# named NAME, so the program carries the file in itself.
file(READ "${INPUT}" bytes HEX)
string(LENGTH "${bytes}" hex_length)
math(EXPR length "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}"
  "// Made from ${INPUT_NAME} at build time; do not edit.\n"
  "#include <cstddef>\n"
  "namespace pyramid {\n"
  "extern const unsigned char ${NAME}[] = {\n${bytes}0};\n"
  "extern const std::size_t ${NAME}Size = ${length};\n"
  "}  // namespace pyramid\n")
