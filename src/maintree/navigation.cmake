# The navigation panel: object browser, script hierarchy and the panel's states.
target_sources(maintree PRIVATE
    include/varko/maintree/hierarchy_builder.h
    include/varko/maintree/hierarchy_model.h
    include/varko/maintree/property_library.h
    include/varko/maintree/script_hierarchy.h
    include/varko/maintree/script_outline.h
    hierarchy_builder.cpp
    hierarchy_model.cpp
    property_library.cpp
    script_hierarchy.cpp
    script_outline.cpp
)
