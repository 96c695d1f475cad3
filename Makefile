# The two set-up commands of the README:
#   make demo   engraves the bundled sample photo (installs what it needs)
#   make test   builds everything and runs every test (installs what it needs)
# Fixed output paths: build/bin/lumeric, build/win64/lumeric2.8bf,
# build/win32/lumeric2.8bf, build/win64/lumeric.exe, build/win32/lumeric.exe.

JOBS ?= 2
PREFIX ?= /usr/local
CMAKE_GEN := -G Ninja
NATIVE := build/linux
SANITIZE := build/sanitize
export LUMERIC_TEST_ARTIFACTS := $(CURDIR)/build/test-artifacts

.PHONY: all demo test deps-native deps-all native win64 win32 sanitize \
        test-native test-win64 test-sanitize bench install uninstall dist clean

all: native

deps-native:
	@tools/install-deps.sh native

deps-all:
	@tools/install-deps.sh all

native: deps-native
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DLUMERIC_BIN_DIR=$(CURDIR)/build/bin -DLUMERIC_BENCH=ON >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win64: deps-all
	@cmake -S . -B build/win64 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=tools/toolchain-mingw-x86_64.cmake >/dev/null
	@cmake --build build/win64 -j $(JOBS)

# The 32-bit module and tests must compile and link; they cannot run here.
win32: deps-all
	@cmake -S . -B build/win32 $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=tools/toolchain-mingw-i686.cmake >/dev/null
	@cmake --build build/win32 -j $(JOBS)

# clang with AddressSanitizer and UndefinedBehaviorSanitizer, plus the
# libFuzzer targets of every parser of outside data.
sanitize: deps-all
	@cmake -S . -B $(SANITIZE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DLUMERIC_FUZZ=ON \
	  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
	  -DCMAKE_C_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
	  -DLUMERIC_BIN_DIR=$(CURDIR)/$(SANITIZE)/bin >/dev/null
	@cmake --build $(SANITIZE) -j $(JOBS)

demo: native
	@mkdir -p out
	@build/bin/lumeric engrave samples/astronaut.png out/astronaut-engraved.png --force
	@echo "$(CURDIR)/out/astronaut-engraved.png"

test: native win64 win32 sanitize
	@mkdir -p $(LUMERIC_TEST_ARTIFACTS)
	@$(MAKE) --no-print-directory test-native test-win64 test-sanitize

test-native:
	@cd $(NATIVE) && LUMERIC_REQUIRE_WIN_MODULES=1 ctest --output-on-failure -j $(JOBS)

test-win64:
	@cd build/win64 && ctest --output-on-failure; status=$$?; \
	  WINEPREFIX=$(CURDIR)/build/wineprefix wineserver -k 2>/dev/null; exit $$status

test-sanitize:
	@cd $(SANITIZE) && ctest --output-on-failure -j $(JOBS) -LE slow

# Every figure next to the reference render (engine, preview) or the base
# version's command (bench/build-baseline.sh builds it once), timed in the
# same run; bench/compare-peer.sh times the nearest peer tool.
bench: native
	@$(NATIVE)/bench/engine_bench --benchmark_filter='BM_DefaultRecord|BM_PatternKind|BM_OneThread'
	@$(NATIVE)/bench/preview_bench --benchmark_filter='kind:(1|12)/'
	@bench/build-baseline.sh
	@bench/command-bench.sh

# The Windows packages: build/dist/LumericII-win64.zip and -win32.zip.
dist: native win64 win32
	@tools/make-dist.sh

# The Linux command with its manual page, bash completion, licence and
# notices, under $(DESTDIR)$(PREFIX); uninstall removes exactly those files.
install: native
	@DESTDIR="$(DESTDIR)" cmake --install $(NATIVE) --prefix "$(PREFIX)"
	@printf '%s\n' "$(DESTDIR)" > $(NATIVE)/install_destdir.txt

uninstall:
	@tools/uninstall.sh $(NATIVE)/install_manifest.txt "$$(cat $(NATIVE)/install_destdir.txt 2>/dev/null)"

clean:
	rm -rf build out
