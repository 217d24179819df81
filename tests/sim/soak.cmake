# One seed of the soak: 24 simulated hours of the demo station with --check. Fails on any
# violation or calculation fault, and when trains stop flowing: no train may spend two hours
# or more in the station, whether it left or is still there at the end.
execute_process(
  COMMAND ${SIM} --hours 24 --seed ${SEED} --check --summary json ${DATA}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "seed ${SEED}: exit code ${rc}\n${err}\n${out}")
endif()
string(JSON left GET "${out}" trains left)
string(JSON pobyt GET "${out}" time_in_station_s max)
string(JSON zustava GET "${out}" time_in_station_s longest_still_in_station)
string(JSON poruchy GET "${out}" calculation_faults)
if(left LESS 500 OR NOT pobyt LESS 7200 OR NOT zustava LESS 7200 OR NOT poruchy EQUAL 0)
  message(FATAL_ERROR "seed ${SEED}: trains do not flow\n${out}")
endif()
message(STATUS "seed ${SEED}: ${left} trains left, longest stay ${pobyt} s")
