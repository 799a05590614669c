# cmake -DCMARK=<cmark-gfm> -DINPUT=<guide.md> -DOUTPUT=<page.html> -DLANGUAGE=<de> -P RenderGuide.cmake
#
# cmark-gfm writes only the body (its table extension for the guide's
# tables); this wraps it into a complete page in LANGUAGE, titled by the
# first heading, so that a browser opening the local file reads it as UTF-8.
# Each second-level heading after the line <!-- INHALT --> gets an anchor,
# and that line becomes a table of contents linking them, so that the
# contents always follow the headings.  The guide is our own text, so its raw HTML
# (comments, the marker) passes through.
execute_process(COMMAND ${CMARK} --unsafe --extension table --to html ${INPUT}
  OUTPUT_VARIABLE body RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CMARK} failed on ${INPUT} (${status})")
endif()

file(STRINGS ${INPUT} heading REGEX "^# " LIMIT_COUNT 1 ENCODING UTF-8)
string(REGEX REPLACE "^# +" "" title "${heading}")

set(marker "<!-- INHALT -->")
string(FIND "${body}" "${marker}" marker_at)
if(marker_at EQUAL -1)
  message(FATAL_ERROR "${INPUT} has no line ${marker} for the table of contents")
endif()
string(SUBSTRING "${body}" ${marker_at} -1 listed)
string(REGEX MATCHALL "<h2>[^<]*</h2>" sections "${listed}")
set(contents "<nav><ul>\n")
set(number 0)
foreach(section IN LISTS sections)
  math(EXPR number "${number} + 1")
  string(REGEX REPLACE "^<h2>(.*)</h2>$" "\\1" text "${section}")
  string(FIND "${body}" "${section}" at)
  string(LENGTH "${section}" length)
  string(SUBSTRING "${body}" 0 ${at} before)
  math(EXPR after_at "${at} + ${length}")
  string(SUBSTRING "${body}" ${after_at} -1 after)
  set(body "${before}<h2 id=\"abschnitt-${number}\">${text}</h2>${after}")
  string(APPEND contents "<li><a href=\"#abschnitt-${number}\">${text}</a></li>\n")
endforeach()
string(APPEND contents "</ul></nav>")
string(REPLACE "${marker}" "${contents}" body "${body}")

file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"${LANGUAGE}\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${title}</title>
<style>
body { max-width: 48em; margin: 1em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.45; }
img { max-width: 100%; border: 1px solid #bbb; }
table { border-collapse: collapse; }
th, td { border: 1px solid #999; padding: 0.2em 0.5em; text-align: left; vertical-align: top; }
pre, code { background: #f2f2f2; }
</style>
</head>
<body>
${body}</body>
</html>
")
