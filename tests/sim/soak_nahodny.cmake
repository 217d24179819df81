# One seed of the careless dispatcher's soak: 24 simulated hours of a station with random
# clicks and keys between the events, every invariant (the trains' bodies on occupied
# elements included) checked after every event and every action. Fails on any violation.
execute_process(
  COMMAND ${SIM} --hours 24 --seed ${SEED} --check --dispatcher random --summary json ${DATA}
  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "seed ${SEED}: exit code ${rc}\n${err}\n${out}")
endif()
string(JSON left GET "${out}" trains left)
string(JSON akci GET "${out}" random_actions)
message(STATUS "seed ${SEED}: ${left} trains left, ${akci} random actions")
