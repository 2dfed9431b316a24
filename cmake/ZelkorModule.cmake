# zelkor_add_module(NAME
#     RENDER_SOURCES ...   render code, settings record, defaults, presets: no Win32 in them
#     PLUGIN_SOURCES ...   the module's PluginDefinition (kPlugin); its manifest
#                          (zk::modules::NAME, in the render sources) says the rest
#     RENDER_FUNCTION F    instead of PLUGIN_SOURCES for a module that keeps no state of its
#                          own: kPlugin is generated around zk::F(const FrameView&)
#     WIN32_SOURCES ...    dialog procedures and other Win32-only code
#     [SETTINGS]           the module has a settings record and exports vxDLLGetDefault
#     [LIBS ...]           further libraries (zelkor_kit3d, ...)
#     [TEST_ONLY])         a module for the tests: built into test_modules/, not shipped
#
# Builds NAME_render (a static library the tests and tools link directly) and the module
# NAME.vfx in ${ZELKOR_MODULE_DIR}. The module's strings and version come from the
# folder's strings.txt; its own resources (dialogs, bitmaps, icons) from NAME.rc if present.
function(zelkor_add_module name)
  cmake_parse_arguments(M "SETTINGS;TEST_ONLY" "RENDER_FUNCTION" "RENDER_SOURCES;PLUGIN_SOURCES;WIN32_SOURCES;LIBS" ${ARGN})
  set(src ${CMAKE_CURRENT_SOURCE_DIR})
  set(gen ${CMAKE_CURRENT_BINARY_DIR}/generated)

  if(M_RENDER_SOURCES)
    add_library(${name}_render STATIC ${M_RENDER_SOURCES})
    target_include_directories(${name}_render PUBLIC ${src})
    target_link_libraries(${name}_render PUBLIC zelkor_frame ${M_LIBS})
  else()
    add_library(${name}_render INTERFACE)
    target_include_directories(${name}_render INTERFACE ${src})
    target_link_libraries(${name}_render INTERFACE zelkor_frame ${M_LIBS})
  endif()

  if(M_RENDER_FUNCTION)
    file(CONFIGURE OUTPUT ${gen}/plugin_definition.cpp CONTENT "// Generated: the render function behind the host's calls.
#include \"plugin.h\"

namespace zk {
int32_t ${M_RENDER_FUNCTION}(const FrameView& view);
const PluginDefinition kPlugin = {${M_RENDER_FUNCTION}};
}  // namespace zk
" @ONLY)
    list(APPEND M_PLUGIN_SOURCES ${gen}/plugin_definition.cpp)
  endif()

  zelkor_generate_module_text(${name} ${src}/strings.txt ${gen} ${M_SETTINGS})

  set(glue ${ZELKOR_FRAME_DIR}/plugin_entry.cpp)
  if(WIN32)
    list(APPEND glue ${ZELKOR_FRAME_DIR}/module_text_win32.cpp ${gen}/module_resources.rc
         ${gen}/exports.def ${M_WIN32_SOURCES})
    set_source_files_properties(${gen}/module_resources.rc PROPERTIES
      OBJECT_DEPENDS "${src}/strings.txt")
  else()
    list(APPEND glue ${ZELKOR_FRAME_DIR}/module_text_native.cpp ${gen}/module_text_table.cpp)
  endif()

  add_library(${name} SHARED ${M_PLUGIN_SOURCES} ${glue})
  target_link_libraries(${name} PRIVATE ${name}_render)
  # The glue answers from the module's manifest, zk::modules::NAME, and opens the settings
  # dialog with the module's kDialogRules.
  target_compile_definitions(${name} PRIVATE ZK_MODULE_NAME=${name})
  if(M_SETTINGS)
    target_compile_definitions(${name} PRIVATE ZK_MODULE_HAS_SETTINGS)
  endif()
  set_target_properties(${name} PROPERTIES
    PREFIX "" SUFFIX ".vfx" OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${ZELKOR_MODULE_DIR}
    RUNTIME_OUTPUT_DIRECTORY ${ZELKOR_MODULE_DIR})
  if(WIN32)
    target_include_directories(${name} PRIVATE ${src} ${gen} ${ZELKOR_FRAME_DIR})
    target_link_libraries(${name} PRIVATE comctl32 comdlg32 gdi32 user32 version)
    target_link_options(${name} PRIVATE -Wl,--enable-stdcall-fixup)
  elseif(NOT CMAKE_CXX_FLAGS MATCHES "-fsanitize")
    # Sanitizer runtimes resolve in the executable, not in the module.
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()

  if(M_TEST_ONLY)
    set_target_properties(${name} PROPERTIES
      LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/test_modules
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/test_modules)
    return()
  endif()
  set_property(GLOBAL APPEND PROPERTY ZELKOR_MODULES ${name})
  # What other hosts of the same render code (the frei0r adapters) need to know.
  set(plugin_paths "")
  foreach(f ${M_PLUGIN_SOURCES})
    get_filename_component(path ${f} ABSOLUTE BASE_DIR ${src})
    list(APPEND plugin_paths ${path})
  endforeach()
  set_property(GLOBAL PROPERTY ZELKOR_${name}_PLUGIN_SOURCES ${plugin_paths})
  set_property(GLOBAL PROPERTY ZELKOR_${name}_TEXT_TABLE ${gen}/module_text_table.cpp)
  set_property(GLOBAL PROPERTY ZELKOR_${name}_VERSION "${ZELKOR_LAST_MODULE_VERSION}")
endfunction()

# Strings and version from one source. strings.txt holds "version X.YY" and lines
# "ID text" (UTF-8). Windows gets a resource script in code page 65001, so the compiled
# table holds the right characters; the native build gets the same strings as code page
# 936 bytes, which is what a Chinese-locale Windows host reads back through LoadStringA.
function(zelkor_generate_module_text name strings_file gen has_settings)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${strings_file})
  file(MAKE_DIRECTORY ${gen})
  file(STRINGS ${strings_file} lines ENCODING UTF-8)
  set(version "")
  set(rc_table "")
  set(native_arrays "")
  set(native_entries "")
  set(count 0)
  foreach(line IN LISTS lines)
    if(line MATCHES "^version[ \t]+([0-9]+)\\.([0-9]+)$")
      set(version "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}")
      set(version_major ${CMAKE_MATCH_1})
      math(EXPR version_minor "${CMAKE_MATCH_2}")
    elseif(line MATCHES "^([0-9]+)[ \t](.*)$")
      set(id ${CMAKE_MATCH_1})
      set(text "${CMAKE_MATCH_2}")
      string(REPLACE "\"" "\"\"" rc_text "${text}")
      string(APPEND rc_table "  ${id}, \"${rc_text}\"\n")
      # Native: \n in the file stands for a line break.
      string(REPLACE "\\n" "\n" plain "${text}")
      file(WRITE ${gen}/text_${id}.utf8 "${plain}")
      execute_process(COMMAND iconv -f UTF-8 -t CP936 ${gen}/text_${id}.utf8
                      OUTPUT_FILE ${gen}/text_${id}.cp936 RESULT_VARIABLE iconv_result)
      if(NOT iconv_result EQUAL 0)
        message(FATAL_ERROR "${strings_file}: string ${id} has no code page 936 form")
      endif()
      file(READ ${gen}/text_${id}.cp936 hex HEX)
      string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1', " bytes "${hex}")
      string(APPEND native_arrays "const char kText${id}[] = {${bytes}'\\0'};\n")
      string(APPEND native_entries "    {${id}, kText${id}},\n")
      math(EXPR count "${count} + 1")
    elseif(NOT line STREQUAL "" AND NOT line MATCHES "^#")
      message(FATAL_ERROR "${strings_file}: cannot read line '${line}'")
    endif()
  endforeach()
  if(version STREQUAL "")
    message(FATAL_ERROR "${strings_file}: no 'version X.YY' line")
  endif()
  set(ZELKOR_LAST_MODULE_VERSION "${version_major};${version_minor}" PARENT_SCOPE)

  set(own_rc "")
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${name}.rc)
    set(own_rc "#include \"${name}.rc\"\n")
  endif()
  file(CONFIGURE OUTPUT ${gen}/module_resources.rc CONTENT "#pragma code_page(65001)
// Generated from strings.txt: the module's string table and version block.
#include <windows.h>

1 VERSIONINFO
FILEVERSION ${version_major},${version_minor},0,0
PRODUCTVERSION ${version_major},${version_minor},0,0
FILEFLAGSMASK 0x3f
FILEFLAGS 0x0
FILEOS 0x40004
FILETYPE 0x2
FILESUBTYPE 0x0
BEGIN
  BLOCK \"StringFileInfo\"
  BEGIN
    BLOCK \"040904E4\"
    BEGIN
      VALUE \"CompanyName\", \"Zelkor Transitions\"
      VALUE \"FileDescription\", \"Zelkor transition ${name}\"
      VALUE \"FileVersion\", \"${version}\"
      VALUE \"InternalName\", \"${name}\"
      VALUE \"OriginalFilename\", \"${name}.vfx\"
      VALUE \"ProductName\", \"Zelkor Transitions\"
      VALUE \"ProductVersion\", \"${version}\"
    END
  END
  BLOCK \"VarFileInfo\"
  BEGIN
    VALUE \"Translation\", 0x409, 1252
  END
END

STRINGTABLE
BEGIN
${rc_table}END

${own_rc}" @ONLY)

  set(exports "LIBRARY ${name}.vfx\nEXPORTS\n  vxDLLGetEffInfo\n  vxDLLApplyEffect\n")
  if(has_settings)
    string(APPEND exports "  vxDLLGetDefault\n")
  endif()
  file(CONFIGURE OUTPUT ${gen}/exports.def CONTENT "${exports}" @ONLY)

  file(CONFIGURE OUTPUT ${gen}/module_text_table.cpp CONTENT "// Generated from strings.txt (code page 936 bytes).
#include \"module_text.h\"

namespace zk {
namespace {
${native_arrays}}  // namespace

const NativeModuleText kNativeModuleTexts[] = {
${native_entries}};
const int32_t kNativeModuleTextCount = ${count};

}  // namespace zk
" @ONLY)
endfunction()
