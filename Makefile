# Entry points for a new user: `make run` and `make test`.
JOBS ?= $(shell nproc)
CTEST_FLAGS = --output-on-failure -j $(JOBS) --timeout 300

.PHONY: all deps configure build build-asan build-tsan test run screenshot bench clean

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

# The simulation's threads under ThreadSanitizer: only its programs, the
# libraries they link and a canary that proves the sanitizer is on.
TSAN_TARGETS = test_link_sim test_workspace_sim canary_data_race

build-tsan: deps
	cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORV_TSAN=ON
	cmake --build build-tsan -j $(JOBS) --target $(TSAN_TARGETS)

# The ThreadSanitizer runtime stops with "unexpected memory mapping" on
# kernels with high address randomisation; its tests then run without it.
test: build build-asan build-tsan
	ctest --test-dir build $(CTEST_FLAGS)
	ctest --test-dir build-asan $(CTEST_FLAGS)
	@if build-tsan/tests/canary/canary_data_race 0 2>&1 | grep -q "unexpected memory mapping"; then \
	  echo "setarch -R: no address randomisation for ThreadSanitizer"; \
	  setarch $$(uname -m) -R ctest --test-dir build-tsan $(CTEST_FLAGS) -L tsan; \
	else ctest --test-dir build-tsan $(CTEST_FLAGS) -L tsan; fi

# Only the program and the files it loads, not every test and benchmark.
run: configure
	cmake --build build -j $(JOBS) --target orvtool
	@if [ -x build/src/gui/orvtool ]; then build/src/gui/orvtool; \
	else echo "There is no program to start yet; 'make test' builds and tests the libraries."; exit 1; fi

# The program started on a virtual display with the sample project; the
# picture goes to build/screenshots/orvtool-demo043.png.
screenshot: configure
	cmake --build build -j $(JOBS) --target orvtool
	bash tools/screenshot.sh build

bench: build
	@found=0; for b in build/bench/bench_*; do [ -x "$$b" ] || continue; found=1; "$$b"; done; \
	[ $$found -eq 1 ] || { echo "no benchmarks built"; exit 1; }

clean:
	rm -rf build build-asan build-tsan
