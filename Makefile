# Two entry points: `make run` builds and starts the editor, `make test` builds and runs
# every test, on Linux and (cross-built, under Wine) on Windows. Both install what is missing
# first. `make windows` cross-builds the Windows programs into build-windows/; `make package`
# writes the Debian package and the Windows zip into dist/, each from a clean Release build of
# its own, and `make package-check` checks them as CI does.
BUILD ?= build
WINDOWS_BUILD ?= build-windows
PACKAGE_BUILD ?= build-package
WINDOWS_PACKAGE_BUILD ?= build-package-windows
DIST ?= dist
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
WINDOWS_HALF ?= yes

.PHONY: deps configure build run test bench test-sanitize windows package package-check clean

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
ifeq ($(WINDOWS_HALF),yes)
	@scripts/windows test $(WINDOWS_BUILD) $(JOBS) $(CURDIR)/$(BUILD)
endif

windows: deps
	@scripts/windows build $(WINDOWS_BUILD) $(JOBS)

package: deps
	@scripts/install-deps package
	@packaging/make-deb $(PACKAGE_BUILD) $(DIST) $(JOBS)
	@packaging/make-zip $(WINDOWS_PACKAGE_BUILD) $(DIST) $(JOBS)

package-check: deps
	@scripts/install-deps package
	@packaging/check-packages $(DIST) $(WINDOWS_PACKAGE_BUILD)

bench: build
	@python3 bench/run-benchmarks $(BUILD)

# Every test built with the address and undefined-behaviour sanitizers; the programs carry
# the sanitizers' settings themselves (src/system/sanitizer_defaults.cpp). The Windows half is
# the same as in `make test`, so it runs there only.
test-sanitize:
	@$(MAKE) test BUILD=build-sanitize CMAKE_FLAGS="-DBRONDEL_SANITIZE=ON" WINDOWS_HALF=no

clean:
	rm -rf build build-sanitize build-windows build-package build-package-windows dist *.configure.log
