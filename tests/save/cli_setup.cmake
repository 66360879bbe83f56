# Lays out WORK for the command line tests: empty folders to save into and a
# card rendered by showcard-cli as the BMP to convert.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK} ${WORK}/save1 ${WORK}/save2)
execute_process(COMMAND ${CLI} render --ticks 7 ${WORK}/card.bmp RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT EXISTS ${WORK}/card.bmp)
  message(FATAL_ERROR "render failed: ${rc}")
endif()
