# Warnings for our own code; third-party headers come in as system includes and stay quiet.
add_compile_options(
  -Wall -Wextra -Wno-unused-parameter
  -Woverloaded-virtual -Wshadow -Wnon-virtual-dtor -Wsuggest-override)
if(VELMARIC_WERROR)
  add_compile_options(-Werror)
endif()
