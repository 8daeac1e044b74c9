# The two commands: `make run` and `make test` (and `make bench` for the benchmarks).
BUILD  ?= build
JOBS   ?= $(shell nproc)
WERROR ?= OFF

.PHONY: run test bench deps configure build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVELMARIC_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/app/velmaric

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target velmaric_bench
	@$(BUILD)/bench/velmaric_bench
