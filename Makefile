# Corvella: `make run` sets up, builds and starts the desktop program;
# `make test` sets up, builds and runs every test; `make deb` builds the
# Debian package.
BUILD_DIR ?= build
ASAN_DIR  ?= build-asan
DEB_DIR   ?= build-deb
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS ?= 60
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test test-asan deb check-deps bench fuzz clean

all: build

deps:
	@scripts/install-deps

# scripts/configure runs CMake unless the folder holds the generator's own
# file (a failed configure leaves only CMakeCache.txt, and runs again).
configure: deps
	@scripts/configure $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/corvella ]; then $(BUILD_DIR)/corvella; \
	else echo "The desktop program is not built yet; available: $$(ls $(BUILD_DIR) | grep -E '^corvella' | tr '\n' ' ')"; fi

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@scripts/configure $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DCORVELLA_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# The Debian package $(DEB_DIR)/corvella_<version>_amd64.deb: a Release build
# of the two programs, the pictures module and the Python module (only them),
# with the hardening flags Debian builds its packages with, then CPack's DEB
# generator.
DEB_CXXFLAGS ?= -fstack-protector-strong -D_FORTIFY_SOURCE=2
DEB_LDFLAGS  ?= -Wl,-z,relro -Wl,-z,now
deb: deps
	@scripts/configure $(DEB_DIR) -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS=$(DEB_CXXFLAGS)" \
	  "-DCMAKE_EXE_LINKER_FLAGS=$(DEB_LDFLAGS)" "-DCMAKE_MODULE_LINKER_FLAGS=$(DEB_LDFLAGS)" $(CMAKE_FLAGS)
	cmake --build $(DEB_DIR) -j $(JOBS) --target corvella corvella-cli corvella_pictures corvella_python \
	  corvella_package_files
	cd $(DEB_DIR) && cpack -G DEB

# Proves scripts/install-deps complete: every header, library, CMake package
# and tool that the build folders used comes from a package it installs.
check-deps:
	@scripts/check-deps

bench: deps
	@if [ -x scripts/bench ]; then scripts/bench; else echo "no benchmarks yet"; fi

fuzz: deps
	@if [ -x scripts/fuzz ]; then FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz; else echo "no fuzz targets yet"; fi

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) $(DEB_DIR) build-fuzz
