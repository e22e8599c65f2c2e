# Script mode: writes OUT, a C++ source returning the bytes of IN as a string_view.
# The text is written as hex escapes in chunks, so any byte (quotes, backslashes,
# non-ASCII) survives unchanged.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" len)
set(body "")
set(pos 0)
while(pos LESS len)
  string(SUBSTRING "${hex}" ${pos} 160 chunk)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" chunk "${chunk}")
  string(APPEND body "    \"${chunk}\"\n")
  math(EXPR pos "${pos} + 160")
endwhile()
math(EXPR size "${len} / 2")
file(WRITE ${OUT}.tmp
"// Generated from ${IN}; edit that file instead.
#include <string_view>
namespace ${NS} {
std::string_view ${FUNC}() {
  static constexpr char text[] =
${body}    \"\";
  return std::string_view(text, ${size});
}
}  // namespace ${NS}
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
