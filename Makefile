# The two commands: `make run` and `make test`. Both set up what is missing first.
BUILD   := build
NATIVE  := $(BUILD)/native
# OFFER_ALL_CARDS=1 (make run / make test): every card type in the menu, built
# in a folder of its own.
ifeq ($(OFFER_ALL_CARDS),1)
WIN32   := $(BUILD)/win32-all-cards
OFFER   := ON
else
WIN32   := $(BUILD)/win32
OFFER   := OFF
endif
FUZZ    := $(BUILD)/fuzz
OUT     := $(WIN32)/bin
GEN     := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

.PHONY: all setup native server win32 test test-native test-wine test-dist dist fuzz fuzz-build fuzz-short run bench clean

all: win32 server

setup:
	@tools/setup.sh

$(NATIVE)/CMakeCache.txt: | setup
	@cmake -S . -B $(NATIVE) -G "$(GEN)" -DCMAKE_BUILD_TYPE=Release >/dev/null

$(WIN32)/CMakeCache.txt: | setup
	@cmake -S . -B $(WIN32) -G "$(GEN)" -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake -DOFFER_ALL_CARDS=$(OFFER) >/dev/null

native: setup $(NATIVE)/CMakeCache.txt
	@cmake --build $(NATIVE) -j2

# The reader server alone: build/native/kelvar-reader.
server: setup $(NATIVE)/CMakeCache.txt
	@cmake --build $(NATIVE) -j2 --target kelvar-reader

# Several people may build at once: one build of the folder at a time.
# A cache configured by hand with the other option value is set back first.
win32: setup $(WIN32)/CMakeCache.txt
	@grep -qx 'OFFER_ALL_CARDS:BOOL=$(OFFER)' $(WIN32)/CMakeCache.txt || \
	  cmake $(WIN32) -DOFFER_ALL_CARDS=$(OFFER) >/dev/null
	@flock $(WIN32).lock cmake --build $(WIN32) -j2

test-native: native
	@ctest --test-dir $(NATIVE) --output-on-failure -j2

test-wine: win32
	@tools/wine-tests $(WIN32)

# The fuzz targets (clang, libFuzzer and sanitizers) in a build folder of their
# own; `make test` builds them and runs the differential sweep and a short run
# of the targets that call every function, `make fuzz` runs each target for
# FUZZ_SECONDS (default 60).
fuzz-build: setup
	@cmake -S tests/fuzz -B $(FUZZ) -G "$(GEN)" -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ) -j2

fuzz-short: fuzz-build
	@tools/fuzz --short

fuzz: fuzz-build
	@tools/fuzz

# The release (dist/): always the default build, in release mode.
dist: setup
	@$(MAKE) --no-print-directory OFFER_ALL_CARDS=0 $(BUILD)/win32/CMakeCache.txt
	@tools/make-dist $(BUILD)/win32 dist

# The release installed, reinstalled and uninstalled under Wine, and its zip.
test-dist: dist
	@flock $(BUILD)/win32.lock cmake --build $(BUILD)/win32 -j2 --target VantrelPoke
	@tests/dist/run $(BUILD)/win32 dist

# The native tier first; the Wine tier runs only when it passed.
test: test-native
	@$(MAKE) --no-print-directory fuzz-short
	@$(MAKE) --no-print-directory test-wine
	@$(MAKE) --no-print-directory test-dist

run: win32 server
	@tools/run $(OUT)

# Not part of `make test`: it takes minutes. BENCH_RUNS sets the runs per figure.
bench: win32 native
	@tools/run-bench $(OUT) docs/benchmarks.md --runs $(or $(BENCH_RUNS),10)

clean:
	rm -rf $(BUILD)
