# Doxygen reads only its own comment markers; the headers use plain // comments. Each block of
# whole-line // comments becomes one verbatim documentation block for what follows it, the
# first block of a file the file's own. Line numbers stay as they were.
function close_block() {
  if (!open) return
  printf "\\endverbatim %s*/ ", blocks == 1 ? "\\file " : ""
  open = 0
}

/^[ \t]*\/\/( |$)/ {
  text = $0
  sub(/^[ \t]*\/\/ ?/, "", text)
  if (!open) {
    printf "/** \\verbatim "
    open = 1
    ++blocks
  }
  print text
  next
}

{
  close_block()
  print
}

END { close_block() }
