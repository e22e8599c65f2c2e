# kelvorn_embed_text(OUT_VAR NAMESPACE FUNCTION FILE): generates a C++ source that
# returns the text of FILE from `std::string_view NAMESPACE::FUNCTION()`, so built-in
# tables stay readable text files in the repository yet need no file access at run time.
function(kelvorn_embed_text out_var ns func file)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/embedded_${func}.cpp)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${file} -DOUT=${out} -DNS=${ns} -DFUNC=${func}
            -P ${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake
    DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake
    COMMENT "Embedding ${file}"
    VERBATIM)
  set(${out_var} ${out} PARENT_SCOPE)
endfunction()
