# Writes OUTPUT, the table of kanji variants the lookup of related words uses, from packaged data:
#   cmake -DKANJIDIC=/usr/share/edict/kanjidic -DUNIHAN=/usr/share/unicode/Unihan_Variants.txt.bz2
#         -DBZIP2=... -DOUTPUT=KanjiVariants.inc -P MakeKanjiVariants.cmake
# From KANJIDIC (Debian's kanjidic): every kanji's JIS X 0208 cross-references (XJ0xxxx), which
# link the old and other forms to today's (學 → 学, 價 → 価, 廣 → 広, 發 → 発, 氣 → 気, 戰 → 戦), as
# {kanji's Unicode, the other's JIS code}. From UNIHAN (Debian's unicode-data): the z-variants,
# one character drawn two ways, as {Unicode, Unicode}.
cmake_minimum_required(VERSION 3.20)

file(STRINGS "${KANJIDIC}" lines REGEX " XJ0[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]")
set(jis_pairs "")
set(count 0)
foreach(line IN LISTS lines)
  string(REGEX MATCH " U([0-9A-Fa-f]+) " unicode "${line}")
  if(NOT unicode)
    continue()
  endif()
  set(code ${CMAKE_MATCH_1})
  string(REGEX MATCHALL " XJ0[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]" others "${line}")
  foreach(other IN LISTS others)
    string(SUBSTRING "${other}" 4 4 jis)
    string(APPEND jis_pairs "    {0x${code}, 0x${jis}},\n")
    math(EXPR count "${count} + 1")
  endforeach()
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "no cross-references in ${KANJIDIC}")
endif()

execute_process(COMMAND "${BZIP2}" -dc "${UNIHAN}" OUTPUT_VARIABLE unihan RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${UNIHAN} cannot be read")
endif()
string(REGEX MATCHALL "U\\+[0-9A-F]+\tkZVariant\t[^\n]*" zlines "${unihan}")
set(unicode_pairs "")
foreach(line IN LISTS zlines)
  string(REGEX MATCH "^U\\+([0-9A-F]+)" first "${line}")
  set(from ${CMAKE_MATCH_1})
  string(REGEX REPLACE "^U\\+[0-9A-F]+\tkZVariant\t" "" rest "${line}")
  string(REGEX MATCHALL "U\\+[0-9A-F]+" targets "${rest}")
  foreach(target IN LISTS targets)
    string(SUBSTRING "${target}" 2 -1 to)
    string(APPEND unicode_pairs "    {0x${from}, 0x${to}},\n")
  endforeach()
endforeach()

file(WRITE "${OUTPUT}.new" "// Made at build time by MakeKanjiVariants.cmake from ${KANJIDIC} and ${UNIHAN}.\n"
  "constexpr KanjiJisLink kKanjidicLinks[] = {\n${jis_pairs}};\n"
  "constexpr KanjiLink kUnihanLinks[] = {\n${unicode_pairs}};\n")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
