#!/bin/sh
# Stands in for objdump in the import check's own test: a program that
# needs the mingw runtime DLLs, as a build without static linking would.
printf '\tDLL Name: KERNEL32.dll\n\tDLL Name: libwinpthread-1.dll\n\tDLL Name: libstdc++-6.dll\n'
