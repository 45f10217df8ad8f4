# The navigation panel: object browser, script hierarchy and the panel's states.
target_sources(maintree PRIVATE
    include/varko/maintree/hierarchy_builder.h
    include/varko/maintree/hierarchy_model.h
    include/varko/maintree/nav_panel_control.h
    include/varko/maintree/object_browser.h
    include/varko/maintree/property_library.h
    include/varko/maintree/script_hierarchy.h
    include/varko/maintree/script_outline.h
    hierarchy_builder.cpp
    hierarchy_model.cpp
    nav_panel_control.cpp
    object_browser.cpp
    property_library.cpp
    script_hierarchy.cpp
    script_outline.cpp
)
