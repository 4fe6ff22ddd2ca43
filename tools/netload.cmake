# quorvel_netload: many headless players of the network module playing games at once on one
# XMPP server (bench/online_load.sh starts the server and runs it). Built when the network
# folder has both its link and its protocol.
if(TARGET quorvel_net_link AND TARGET quorvel_net_protocol)
  add_executable(quorvel_netload ${CMAKE_CURRENT_LIST_DIR}/quorvel_netload.cpp)
  target_link_libraries(quorvel_netload PRIVATE quorvel_net_link quorvel_net_protocol
                                                quorvel_flags)
endif()
