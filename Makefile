# Two entry points: `make run` builds and starts the editor, `make test` builds and runs
# every test. Both install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build run test bench test-sanitize clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) > $(BUILD).configure.log 2>&1 || (cat $(BUILD).configure.log; exit 1)

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/app/brondel

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@python3 bench/run-benchmarks $(BUILD)

# Every test built with the address and undefined-behaviour sanitizers; the programs carry
# the sanitizers' settings themselves (src/system/sanitizer_defaults.cpp).
test-sanitize:
	@$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DBRONDEL_SANITIZE=ON"

clean:
	rm -rf build build-sanitize build.configure.log build-sanitize.configure.log
