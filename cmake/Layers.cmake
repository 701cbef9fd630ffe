# The program is built in layers, one folder and one static library each; a layer may use only
# the layers below it. Every layer's headers are reached as "<layer>/<file>.h" through an
# include root of its own in the build folder that holds nothing but a link to the layer's
# folder. A target sees the include roots of the layers it links and of no others (no target
# gets the source root), so an include of a layer that is not below fails to compile.
set(QM_INCLUDE_ROOT ${CMAKE_BINARY_DIR}/include)

# qm_include_root(<name> <folder>): makes the include root of <name> in the build folder, in
# which "<name>/" leads to <folder>, and sets QM_INCLUDE_ROOT_<name> to it.
function(qm_include_root name folder)
  set(root ${QM_INCLUDE_ROOT}/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${folder} ${root}/${name} SYMBOLIC)
  set(QM_INCLUDE_ROOT_${name} ${root} PARENT_SCOPE)
endfunction()

# qm_layer(<name> SOURCES <files>... [PUBLIC <libs>...] [PRIVATE <libs>...])
# Declares the library qm_<name> of the folder this is called from. PUBLIC: the layers (and
# libraries) its headers include; PRIVATE: those only its sources include.
function(qm_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;PUBLIC;PRIVATE")
  qm_include_root(${name} ${CMAKE_CURRENT_SOURCE_DIR})
  add_library(qm_${name} STATIC ${arg_SOURCES})
  target_include_directories(qm_${name} PUBLIC ${QM_INCLUDE_ROOT_${name}})
  target_link_libraries(qm_${name} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
endfunction()
