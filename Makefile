# Entry points for a new user: `make run` and `make test`.
JOBS ?= $(shell nproc)
CTEST_FLAGS = --output-on-failure -j $(JOBS) --timeout 300

.PHONY: all deps configure build build-asan test run bench clean

all: build

deps:
	@bash tools/install-deps.sh

configure: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build build -j $(JOBS)

build-asan: deps
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DORV_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)

test: build build-asan
	ctest --test-dir build $(CTEST_FLAGS)
	ctest --test-dir build-asan $(CTEST_FLAGS)

# Only the program and the files it loads, not every test and benchmark.
run: configure
	cmake --build build -j $(JOBS) --target orvtool
	@if [ -x build/src/gui/orvtool ]; then build/src/gui/orvtool; \
	else echo "There is no program to start yet; 'make test' builds and tests the libraries."; exit 1; fi

bench: build
	@found=0; for b in build/bench/bench_*; do [ -x "$$b" ] || continue; found=1; "$$b"; done; \
	[ $$found -eq 1 ] || { echo "no benchmarks built"; exit 1; }

clean:
	rm -rf build build-asan
