# Six folders of 50 characters: the file's full path is well past 260 characters.
set(dir ${WORK}/deep)
foreach(level a b c d e f)
    string(REPEAT ${level} 50 name)
    set(dir ${dir}/${name})
endforeach()
file(MAKE_DIRECTORY ${dir})
file(COPY_FILE ${WORK}/addon/faulty.odf ${dir}/faulty.odf)
