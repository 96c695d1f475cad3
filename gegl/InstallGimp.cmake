# make install: the operation where GEGL looks for plug-ins (GIMP 2.10 and 3
# both load them from there) and the GIMP 2.10 procedure where GIMP looks
# for plug-ins. An install into the user's own prefix (~/.local) goes to the
# user's folders, any other into the system's. The folders are chosen when
# installing, since the prefix is only known then. Component `gimp`, so
# that the tests can install these alone.
set(install_gimp_plug_in "")
if(TARGET plug-in-lumeric-engrave)
  # GIMP 2.10 wants a plug-in in a folder of its own name.
  set(install_gimp_plug_in "file(INSTALL TYPE EXECUTABLE FILES \"$<TARGET_FILE:plug-in-lumeric-engrave>\"
    DESTINATION \"\${gimp_dir}/plug-in-lumeric-engrave\")")
endif()
install(CODE "
  set(home \"\$ENV{HOME}\")
  get_filename_component(user_prefix \"\${home}/.local\" REALPATH)
  get_filename_component(prefix \"\${CMAKE_INSTALL_PREFIX}\" REALPATH)
  if(home AND prefix STREQUAL user_prefix)
    set(data \"\$ENV{XDG_DATA_HOME}\")
    if(NOT data)
      set(data \"\${home}/.local/share\")
    endif()
    set(config \"\$ENV{XDG_CONFIG_HOME}\")
    if(NOT config)
      set(config \"\${home}/.config\")
    endif()
    set(gegl_dirs \"\${data}/gegl-0.4/plug-ins\")
    # GIMP's Flatpak sees only its own data folder.
    if(EXISTS \"\${home}/.var/app/org.gimp.GIMP\")
      list(APPEND gegl_dirs \"\${home}/.var/app/org.gimp.GIMP/data/gegl-0.4/plug-ins\")
    endif()
    set(gimp_dir \"\${config}/GIMP/2.10/plug-ins\")
  else()
    set(gegl_dirs \"${LUMERIC_GEGL_SYSTEM_DIR}\")
    set(gimp_dir \"${LUMERIC_GIMP2_LIB_DIR}/plug-ins\")
  endif()
  foreach(dir IN LISTS gegl_dirs)
    file(INSTALL TYPE MODULE FILES \"$<TARGET_FILE:lumeric-engrave>\" DESTINATION \"\${dir}\")
  endforeach()
  ${install_gimp_plug_in}
" COMPONENT gimp)
