# Nimbus Desk: the single entry point.
#   make run    install what is missing, build (Release) and start the program
#   make test   install what is missing, build and run every test suite
BUILD_DIR ?= build
FUZZ_DIR  ?= build-fuzz
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps configure build run test bench fuzz install package clean

all: build

deps:
	@sh scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/nimbus

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD_DIR)/bin/bench_*; do echo "== $$b"; $$b; done

# libFuzzer targets with AddressSanitizer and UndefinedBehaviorSanitizer (clang).
fuzz: deps
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
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)
