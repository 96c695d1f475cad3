#!/bin/sh
# One module file for every GIMP: it exports GEGL's two entry points and
# nothing else, brings its own C++ runtime, and is never unloaded.
# Usage: module-exports-test.sh lumeric-engrave.so
module="$1"
exports=$(nm -D --defined-only "$module" | awk '{ print $3 }' | sort | tr '\n' ' ')
[ "$exports" = "gegl_module_query gegl_module_register " ] || { echo "exports: $exports"; exit 1; }
needed=$(readelf -d "$module" | grep NEEDED)
case "$needed" in
  *libstdc++*|*libgcc_s*) echo "needs a C++ runtime from the host: $needed"; exit 1 ;;
esac
readelf -d "$module" | grep -q 'Flags:.*NODELETE' || { echo "the module may be unloaded"; exit 1; }
echo "module: two entry points, its own C++ runtime, never unloaded"
