# The navigation panel: object browser, script hierarchy and the panel's states.
target_sources(maintree PRIVATE
    include/varko/maintree/property_library.h
    include/varko/maintree/script_outline.h
    property_library.cpp
    script_outline.cpp
)
