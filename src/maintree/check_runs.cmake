# Check runs from the editor.
target_sources(maintree PRIVATE
    include/varko/maintree/check_run.h
    include/varko/maintree/message_list.h
    include/varko/maintree/queued_check_sink.h
    include/varko/maintree/run_mailbox.h
    check_run.cpp
    message_list.cpp
    queued_check_sink.cpp
    run_mailbox.cpp
)
