# Nimbus Desk: the single entry point.
#   make run    install what is missing, build (Release) and start the program
#   make test   install what is missing, build and run every test suite
BUILD_DIR ?= build
FUZZ_DIR  ?= build-fuzz
SAN_DIR   ?= build-sanitize
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
# Tests wait on servers, children and files as much as they compute: one more than the cores.
TEST_JOBS ?= $(shell echo $$(( $$(nproc 2>/dev/null || echo 2) + 1 )))

.PHONY: all deps configure build test-build run test sanitize-build bench fuzz install package clean

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The test run builds no benchmarks: they are never part of it (make bench builds them).
test-build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DNIMBUS_BUILD_BENCH=OFF
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/nimbus

# Every suite in the Release build, then the core suites again built with AddressSanitizer and
# UndefinedBehaviorSanitizer (the long crash test runs only in the first).
test: test-build sanitize-build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(TEST_JOBS)
	@grep -hE "a save of|kills survived|failed saves recovered" \
	    $(BUILD_DIR)/Testing/Temporary/LastTest.log || true
	cd $(SAN_DIR) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(TEST_JOBS) -LE long

sanitize-build: deps
	cmake -S . -B $(SAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DNIMBUS_SANITIZE=ON \
	    -DNIMBUS_BUILD_GUI=OFF -DNIMBUS_BUILD_BENCH=OFF
	cmake --build $(SAN_DIR) -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release -DNIMBUS_BUILD_BENCH=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)
	@for b in $(BUILD_DIR)/bin/bench_*; do echo "== $$b"; $$b; done

# libFuzzer targets with AddressSanitizer and UndefinedBehaviorSanitizer (clang).
fuzz:
	@NIMBUS_WITH_FUZZ=1 sh scripts/install-deps.sh
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DNIMBUS_FUZZ=ON -DNIMBUS_BUILD_GUI=OFF -DNIMBUS_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	cd $(FUZZ_DIR) && ctest --output-on-failure -j $(JOBS)

# Installs into PREFIX (default /usr/local): the program folder PREFIX/lib/nimbus-desk/, the
# nimbus command, the menu entry, the icons and the AppStream metadata.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package in $(BUILD_DIR)/.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR) $(SAN_DIR)
