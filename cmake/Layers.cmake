# The layers of README.md's diagram, kept at link level: each layer names the layers below it
# (and the outside libraries) its targets may link. Tests, benchmarks and fuzz targets link
# whatever they exercise; the test support layer is used by nothing else.
include(${CMAKE_CURRENT_LIST_DIR}/LayerCheck.cmake)

kelvaro_layer(base TARGETS base)
kelvaro_layer(model TARGETS population USES base)
kelvaro_layer(text TARGETS app USES base Qt6::Core)
kelvaro_layer(surface TARGETS chart_panel USES text base Qt6::Gui)
kelvaro_layer(engine TARGETS chart_engine USES surface text base)
kelvaro_layer(chart TARGETS chart_control chart_series USES engine)
kelvaro_layer(run TARGETS run runchart USES chart model text base)
kelvaro_layer(windows TARGETS shell Elastic2 Unit2 mainwindow kelvaro USES run model text base Qt6::Widgets)
kelvaro_layer(runner TARGETS batch study kelvaro-batch USES run Qt6::Gui Qt6::Svg ZLIB::ZLIB)
kelvaro_layer(testing TARGETS testing_app testing_population testing_elastic2 chart_testing
              USES chart model text Qt6::Widgets)

kelvaro_check_layers(EXEMPT ".*_tests" ".*_bench" ".*_fuzz" "x11_close_window")
