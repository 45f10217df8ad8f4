# Check runs from the editor and the main window's placement.
target_sources(maintree PRIVATE
    include/varko/maintree/check_run.h
    include/varko/maintree/form_placement.h
    include/varko/maintree/message_list.h
    include/varko/maintree/placement_window.h
    include/varko/maintree/qt_placement_window.h
    include/varko/maintree/queued_check_sink.h
    include/varko/maintree/return_key.h
    include/varko/maintree/run_mailbox.h
    include/varko/maintree/worker_thread.h
    check_run.cpp
    form_placement.cpp
    message_list.cpp
    qt_placement_window.cpp
    queued_check_sink.cpp
    return_key.cpp
    run_mailbox.cpp
    worker_thread.cpp
)
