# The two commands: `make run` and `make test` (and `make bench` for the benchmarks).
BUILD  ?= build
JOBS   ?= $(shell nproc)
WERROR ?= OFF
SANITIZE ?=

.PHONY: run test bench asan fuzz deps configure build tsan

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVELMARIC_WERROR=$(WERROR) -DVELMARIC_SANITIZE=$(SANITIZE) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/program/velmaric

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target velmaric_bench
	@$(BUILD)/bench/velmaric_bench

# libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer) in a build of their own,
# each run for FUZZ_SECONDS (FUZZ_JOBS at a time) from its seeds in tests/data/fuzz/<name>/; not part
# of `make test`. A crash, leak, timeout or unit slower than a second fails it (scripts/run-fuzz.sh).
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS    ?= 4
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DVELMARIC_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target velmaric_fuzz
	@bash scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_JOBS)

# The tree's worker-thread stress test and the M-Bus scan engine's thread tests under
# ThreadSanitizer, in a build of its own; not part of `make test`. VELMARIC_SANITIZE=thread makes the stress test's target exist.
TSAN_BUILD ?= build-tsan
tsan: deps
	@cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMARIC_SANITIZE=thread \
	  "-DCMAKE_CXX_FLAGS=-fsanitize=thread -fno-omit-frame-pointer" \
	  -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread >/dev/null
	@cmake --build $(TSAN_BUILD) -j $(JOBS) --target tree_stress tests_mbus tests_platform
	@cd $(TSAN_BUILD) && QT_QPA_PLATFORM=offscreen TSAN_OPTIONS=halt_on_error=1 ./tests/tree_stress
	@cd $(TSAN_BUILD) && QT_QPA_PLATFORM=offscreen TSAN_OPTIONS=halt_on_error=1 ./tests/tests_mbus \
	  --gtest_filter='WiredScan*:WirelessScan*:ScanEngine*'
	@cd $(TSAN_BUILD) && QT_QPA_PLATFORM=offscreen TSAN_OPTIONS=halt_on_error=1 ./tests/tests_platform \
	  --gtest_filter='UdpSocket*:SerialPort*:MainThreadQueue*'

# The whole test suite under sanitizers, each set in its own build folder.
asan:
	@$(MAKE) --no-print-directory test BUILD=build-asan SANITIZE=address,undefined
