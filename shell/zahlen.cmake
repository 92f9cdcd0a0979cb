# Field text <-> number in the user's locale: Qt Core and the shared rules only, so that the fuzzer
# builds it alone.
add_library(regler_zahlen STATIC ${CMAKE_CURRENT_LIST_DIR}/zahlen.h ${CMAKE_CURRENT_LIST_DIR}/zahlen.cpp)
target_include_directories(regler_zahlen PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(regler_zahlen PUBLIC Qt6::Core regler_darstellung)
