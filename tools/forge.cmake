# quorvel_forge: a third account sending a forged move into someone else's game (the online
# end-to-end test runs it). Built when the network folder has both its link and its protocol.
if(TARGET quorvel_net_link AND TARGET quorvel_net_protocol)
  add_executable(quorvel_forge ${CMAKE_CURRENT_LIST_DIR}/quorvel_forge.cpp)
  target_link_libraries(quorvel_forge PRIVATE quorvel_net_link quorvel_net_protocol quorvel_flags)
endif()
