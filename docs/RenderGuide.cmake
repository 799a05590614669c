# cmake -DCMARK=<cmark-gfm> -DINPUT=<README.md> -DOUTPUT=<page.html> -P RenderGuide.cmake
#
# cmark-gfm writes only the body (its table extension for the README's
# tables); this wraps it into a complete page, titled by the README's first
# heading, so that a browser opening the local file reads it as UTF-8.
execute_process(COMMAND ${CMARK} --extension table --to html ${INPUT}
  OUTPUT_VARIABLE body RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${CMARK} failed on ${INPUT} (${status})")
endif()

file(STRINGS ${INPUT} heading REGEX "^# " LIMIT_COUNT 1)
string(REGEX REPLACE "^# +" "" title "${heading}")

file(WRITE ${OUTPUT} "<!DOCTYPE html>
<html lang=\"en\">
<head>
<meta charset=\"utf-8\">
<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">
<title>${title}</title>
<style>
body { max-width: 46em; margin: 1em auto; padding: 0 1em; font-family: sans-serif; line-height: 1.4; }
img { max-width: 100%; }
table { border-collapse: collapse; }
th, td { border: 1px solid #999; padding: 0.2em 0.5em; text-align: left; }
pre, code { background: #f2f2f2; }
</style>
</head>
<body>
${body}</body>
</html>
")
