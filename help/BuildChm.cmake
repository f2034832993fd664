# Compiles one language's help pages into a CHM file. Run by the build as
#   cmake -DCHMCMD=... -DICONV=... -DSOURCE_DIR=... -DSTAGE_DIR=... -DOUTPUT=... [-DSITEMAP_ENCODING=CP1251] -P BuildChm.cmake
#
# The sources stay untouched: they are copied into STAGE_DIR, compiled there, and the result only
# takes the name OUTPUT once chmcmd has made a whole, sound file, so a failed run never leaves a
# file that a later build would take as up to date.
#
# SITEMAP_ENCODING: CHM viewers read the contents and index files (and the title) in the code
# page of the help's language, not as UTF-8. For such a language the staged copies of
# fractal.hhp, fractal.hhc and fractal.hhk are converted to that code page; the pages themselves
# stay UTF-8 and say so in their meta tag.

foreach(var CHMCMD SOURCE_DIR STAGE_DIR OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "BuildChm.cmake: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${STAGE_DIR}")
file(MAKE_DIRECTORY "${STAGE_DIR}")
file(GLOB sources LIST_DIRECTORIES false "${SOURCE_DIR}/*")
file(COPY ${sources} DESTINATION "${STAGE_DIR}")

# Every link of the pages, the contents and the index must lead to a page of the help and, when
# it names a place on the page, to an anchor there: chmcmd reports missing pages only.
file(GLOB linking "${STAGE_DIR}/*.html" "${STAGE_DIR}/*.hhc" "${STAGE_DIR}/*.hhk")
set(broken "")
foreach(file ${linking})
  file(READ "${file}" text)
  get_filename_component(from "${file}" NAME)
  string(REGEX MATCHALL "(href|value)=\"[A-Za-z0-9_]+\\.html(#[A-Za-z0-9_]+)?\"" links "${text}")
  foreach(link ${links})
    string(REGEX REPLACE "^[a-z]+=\"([^\"]+)\"$" "\\1" target "${link}")
    string(FIND "${target}" "#" hash)
    set(page "${target}")
    set(anchor "")
    if(hash GREATER -1)
      string(SUBSTRING "${target}" 0 ${hash} page)
      math(EXPR after "${hash} + 1")
      string(SUBSTRING "${target}" ${after} -1 anchor)
    endif()
    if(NOT EXISTS "${STAGE_DIR}/${page}")
      string(APPEND broken "\n  ${from}: ${page} does not exist")
    elseif(NOT anchor STREQUAL "")
      file(READ "${STAGE_DIR}/${page}" page_text)
      string(FIND "${page_text}" "name=\"${anchor}\"" at)
      if(at EQUAL -1)
        string(APPEND broken "\n  ${from}: ${page} has no anchor ${anchor}")
      endif()
    endif()
  endforeach()
endforeach()
if(broken)
  message(FATAL_ERROR "Broken links in the help pages of ${SOURCE_DIR}:${broken}")
endif()

if(DEFINED SITEMAP_ENCODING AND NOT SITEMAP_ENCODING STREQUAL "")
  if(NOT ICONV)
    message(FATAL_ERROR "BuildChm.cmake: iconv is needed to convert the sitemap files to ${SITEMAP_ENCODING}")
  endif()
  foreach(name fractal.hhp fractal.hhc fractal.hhk)
    set(file "${STAGE_DIR}/${name}")
    file(READ "${file}" text)
    string(REPLACE "charset=utf-8" "charset=windows-1251" text "${text}")
    file(WRITE "${file}.utf8" "${text}")
    execute_process(COMMAND "${ICONV}" -f UTF-8 -t "${SITEMAP_ENCODING}" "${file}.utf8"
                    OUTPUT_FILE "${file}" RESULT_VARIABLE rc ERROR_VARIABLE err)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "Cannot convert ${SOURCE_DIR}/${name} to ${SITEMAP_ENCODING}: ${err}")
    endif()
    file(REMOVE "${file}.utf8")
  endforeach()
endif()

execute_process(COMMAND "${CHMCMD}" fractal.hhp
                WORKING_DIRECTORY "${STAGE_DIR}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(compiled "${STAGE_DIR}/fractal.chm")
set(problem "")
if(NOT rc EQUAL 0)
  set(problem "chmcmd ended with ${rc}")
elseif(NOT EXISTS "${compiled}")
  set(problem "chmcmd made no fractal.chm")
else()
  file(SIZE "${compiled}" size)
  file(READ "${compiled}" signature LIMIT 4 HEX)
  if(size EQUAL 0 OR NOT signature STREQUAL "49545346")  # "ITSF"
    set(problem "chmcmd made no valid CHM file")
  endif()
endif()
# The sources are ours: any warning (a page linked but missing, a doubled anchor) is a fault.
if(problem STREQUAL "" AND "${out}${err}" MATCHES "Warning|Error")
  set(problem "chmcmd reported problems")
endif()
if(NOT problem STREQUAL "")
  message(FATAL_ERROR "Building ${OUTPUT} from ${SOURCE_DIR} failed: ${problem}.\n${out}\n${err}")
endif()

get_filename_component(outdir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${outdir}")
file(RENAME "${compiled}" "${OUTPUT}")
file(REMOVE_RECURSE "${STAGE_DIR}")
