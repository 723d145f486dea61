# Ambrel: `make run` and `make test` are all a fresh Debian 12 machine needs
# (run as root: missing Debian packages are installed first).

SHELL := /bin/bash
JOBS ?= $(shell nproc)
BUILD ?= build
WIN := $(BUILD)/win
HOST := $(BUILD)/host
FUZZ := $(BUILD)/fuzz
RELEASE := $(BUILD)/release
FUZZ_SECONDS ?= 60

.PHONY: all deps win host fuzz release test test-host test-win test-fuzz test-tree format format-check run bench package clean

all: win host

deps:
	@tools/deps.sh

win: deps
	@[ -f $(WIN)/CMakeCache.txt ] || cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN) -j$(JOBS)

host: deps
	@[ -f $(HOST)/CMakeCache.txt ] || cmake -S . -B $(HOST) -DAMBREL_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(HOST) -j$(JOBS)

fuzz: deps
	@[ -f $(FUZZ)/CMakeCache.txt ] || CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DAMBREL_FUZZ=ON -DAMBREL_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ) -j$(JOBS)

release: deps
	@[ -f $(RELEASE)/CMakeCache.txt ] || cmake -S . -B $(RELEASE) -DAMBREL_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE) -j$(JOBS)

test: test-tree test-host test-win test-fuzz

# The tree itself: folders include each other downward only, and the code
# follows .clang-format.
test-tree: deps
	python3 tools/check-layers.py
	tools/format-check.sh

format-check: deps
	tools/format-check.sh

format: deps
	tools/format-check.sh --fix

test-host: host
	ctest --test-dir $(HOST) -j$(JOBS) --output-on-failure

test-win: win
	ctest --test-dir $(WIN) -j$(JOBS) --output-on-failure; rc=$$?; \
	  tools/wine-run --prefix $(WIN)/wineprefix --shutdown; exit $$rc

test-fuzz: fuzz
	tools/run-fuzz.sh $(FUZZ) $(FUZZ_SECONDS)

run: win
	tools/run.sh $(WIN)

# The setup program and the portable zip: $(BUILD)/package/ambrel-<version>-setup.exe
# and ambrel-<version>-portable.zip.
package: win
	tools/package.sh $(WIN) $(BUILD)/package

bench: release win
	@tools/deps.sh bench
	tools/run-bench.sh $(RELEASE)
	bench/generate_bench.sh $(WIN)

clean:
	rm -rf $(BUILD)
