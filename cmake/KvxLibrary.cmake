# kvx_library(<name> [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
# One static library made of the *.cpp files of the calling folder (not its
# subfolders), with the folder as its public include directory. A folder
# without sources yet gives an interface library with the same links.
function(kvx_library name)
  cmake_parse_arguments(L "" "" "PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${L_PUBLIC_LIBS} PRIVATE ${L_PRIVATE_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${L_PUBLIC_LIBS})
  endif()
endfunction()
