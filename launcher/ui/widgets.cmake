# Window utilities, the keep-on-top pin, skins and colours, and the built-in
# pictures. Included from this folder's CMakeLists.txt; the main window links it.
set(ARVEX_UI_WIDGETS_DIR ${CMAKE_CURRENT_LIST_DIR})
qt_add_resources(ARVEX_UI_WIDGETS_RESOURCES ${ARVEX_UI_WIDGETS_DIR}/resources/arvex_ui.qrc)
add_library(arvex_ui_widgets STATIC
    ${ARVEX_UI_WIDGETS_DIR}/ColorText.h
    ${ARVEX_UI_WIDGETS_DIR}/ColorText.cpp
    ${ARVEX_UI_WIDGETS_DIR}/WindowUtils.h
    ${ARVEX_UI_WIDGETS_DIR}/WindowUtils.cpp
    ${ARVEX_UI_WIDGETS_DIR}/AlwaysOnTop.h
    ${ARVEX_UI_WIDGETS_DIR}/AlwaysOnTop.cpp
    ${ARVEX_UI_WIDGETS_DIR}/BuiltinPictures.h
    ${ARVEX_UI_WIDGETS_DIR}/BuiltinPictures.cpp
    ${ARVEX_UI_WIDGETS_DIR}/Skin.h
    ${ARVEX_UI_WIDGETS_DIR}/Skin.cpp
    ${ARVEX_UI_WIDGETS_DIR}/SkinColors.h
    ${ARVEX_UI_WIDGETS_DIR}/SkinColors.cpp
    ${ARVEX_UI_WIDGETS_DIR}/NameLabelFit.h
    ${ARVEX_UI_WIDGETS_DIR}/NameLabelFit.cpp
    ${ARVEX_UI_WIDGETS_DIR}/NameLabel.h
    ${ARVEX_UI_WIDGETS_DIR}/NameLabel.cpp
    ${ARVEX_UI_WIDGETS_DIR}/FocusStyle.h
    ${ARVEX_UI_WIDGETS_DIR}/FocusStyle.cpp
    ${ARVEX_UI_WIDGETS_DIR}/PanelPicture.h
    ${ARVEX_UI_WIDGETS_DIR}/PanelPicture.cpp
    ${ARVEX_UI_WIDGETS_RESOURCES})
target_link_libraries(arvex_ui_widgets PUBLIC Qt6::Widgets Qt6::Gui arvex_config)
target_include_directories(arvex_ui_widgets PUBLIC ${CMAKE_SOURCE_DIR}/launcher)
