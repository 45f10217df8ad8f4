# A folder and a file whose names are not ASCII (created here: no such names in the repository).
file(MAKE_DIRECTORY ${WORK}/addon/été)
file(COPY_FILE ${WORK}/addon/faulty.odf ${WORK}/addon/été/tänk_ü.odf)
