# Pages saved as Enhanced Metafiles and read back through emf2svg-conv (Debian package emf2svg),
# as another program would open them. Included from tests/platform/CMakeLists.txt.
add_executable(platform_emf_tests ${CMAKE_CURRENT_LIST_DIR}/page_image_emf_test.cpp)
target_link_libraries(platform_emf_tests
    PRIVATE vantorbel_printing Qt6::Core Qt6::Gui GTest::gtest_main)
gtest_discover_tests(platform_emf_tests
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
