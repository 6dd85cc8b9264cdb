# The two everyday commands, `make run` and `make test`, plus `make bench`
# and `make release` (the downloads in dist/).
# Both presets build into build/native and build/win32 unless told otherwise,
# e.g. `make test BUILD=build/mine` (then build/mine-native, build/mine-win32,
# and the logs and screenshots in build/mine-test-logs, build/mine-e2e-screenshots).

NIMBUL_DEPS ?= /opt/nimbulon-deps/i686
BUILD ?=
ifeq ($(BUILD),)
NATIVE_DIR ?= $(CURDIR)/build/native
WIN32_DIR ?= $(CURDIR)/build/win32
else
NATIVE_DIR ?= $(abspath $(BUILD))-native
WIN32_DIR ?= $(abspath $(BUILD))-win32
export NIMBUL_LOG_DIR := $(abspath $(BUILD))-test-logs
export NIMBUL_SCREENSHOT_DIR := $(abspath $(BUILD))-e2e-screenshots
endif
# A prefix of its own under build/, whatever WINEPREFIX the shell has.
NIMBUL_WINEPREFIX ?= $(CURDIR)/build/wineprefix

export NIMBUL_DEPS NIMBUL_WINEPREFIX
export NIMBUL_NATIVE_DIR := $(NATIVE_DIR)
export NIMBUL_WIN32_DIR := $(WIN32_DIR)

.PHONY: all bootstrap native win32 build test check run bench fuzz soak release docs-pictures clean

all: build

bootstrap:
	@scripts/bootstrap.sh

build_native = ( [ -f $(NATIVE_DIR)/build.ninja ] || cmake --preset native -B $(NATIVE_DIR) ) && \
	cmake --build $(NATIVE_DIR) -j2
build_win32 = ( [ -f $(WIN32_DIR)/build.ninja ] || cmake --preset win32 -B $(WIN32_DIR) -DNIMBUL_DEPS=$(NIMBUL_DEPS) ) && \
	cmake --build $(WIN32_DIR) -j2

native: bootstrap
	@$(build_native)

win32: bootstrap
	@$(build_win32)

# The presets share the two cores, so they build one after the other.
build: bootstrap
	@$(build_native)
	@$(build_win32)

test: build
	@scripts/test.sh

# One suite, or some tests of it: make check SUITE=e2e FILTER='ProgramEntry.*'
# (suites: layers, format, unit, exe, win32, e2e, release).
check: build
	@NIMBUL_GTEST_ARGS="$(if $(FILTER),--gtest_filter=$(FILTER))" scripts/test.sh $(SUITE)

run: win32
	@scripts/run.sh

bench: win32
	@scripts/bench.sh

# Hides and shows 50 windows 10,000 times under Wine and reports what the
# program holds every 1,000 (README, "Soak"; NIMBUL_SOAK_CYCLES for fewer).
soak: win32
	@scripts/soak.sh

# Each parser under libFuzzer for a million inputs (build/fuzz; README, "Fuzzing").
fuzz: bootstrap
	@scripts/fuzz.sh

# A clean build of Nimbul.exe in build/release, then dist/: the exe, the
# portable zip, the installer and SHA256SUMS.
release: bootstrap
	@scripts/release.sh

# The pictures of docs/, taken again by the end-to-end tests that show the windows.
docs-pictures: win32
	@scripts/docs-pictures.sh

clean:
	rm -rf $(NATIVE_DIR) $(WIN32_DIR)
