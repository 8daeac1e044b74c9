# Sanitizer builds: VELMARIC_SANITIZE lists the sanitizers to build everything with, e.g.
# "address,undefined" or "thread". Each such build belongs in its own build folder.
set(VELMARIC_SANITIZE "" CACHE STRING "Sanitizers to build with, comma separated (address, undefined, thread, leak)")

if(VELMARIC_SANITIZE)
  string(REPLACE "," ";" sanitizers "${VELMARIC_SANITIZE}")
  foreach(sanitizer IN LISTS sanitizers)
    if(NOT sanitizer MATCHES "^(address|undefined|thread|leak)$")
      message(FATAL_ERROR "VELMARIC_SANITIZE: unknown sanitizer '${sanitizer}'")
    endif()
  endforeach()
  if("thread" IN_LIST sanitizers AND ("address" IN_LIST sanitizers OR "leak" IN_LIST sanitizers))
    message(FATAL_ERROR "VELMARIC_SANITIZE: thread cannot be combined with address or leak")
  endif()
  # A finding must fail the test, not scroll past in its output.
  add_compile_options(-fsanitize=${VELMARIC_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${VELMARIC_SANITIZE})
endif()
