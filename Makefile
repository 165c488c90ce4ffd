# The two commands of the README, and the checks CI adds to them.
BUILD      := build
ASAN_BUILD := build-asan
WIN_BUILD  := build-win
JOBS       ?= 2
CMAKE_ARGS ?=
# The sub-makes that cmake --build starts would each say which folder they
# enter and leave, dozens of lines for a build with nothing to do.
MAKEFLAGS += --no-print-directory

.PHONY: all deps build run test bench asan-test clean windows test-windows

all: build

deps:
	@scripts/install-deps admesh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run-demo $(BUILD)

# The scene tests compare with OpenSCAD itself.
test: build
	@scripts/install-deps openscad
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

bench: build
	@scripts/run-bench $(BUILD)

# Address and undefined-behaviour sanitizers over the whole suite; leaks are
# reported by the address sanitizer's leak checker.
asan-test: deps
	@scripts/install-deps openscad
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKELVANE_SANITIZE=ON -DKELVANE_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

# The same program for Windows (MinGW-w64), and its run under Wine compared
# with what the headless host draws for the same input.
windows:
	@scripts/install-deps windows
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release
	cmake --build $(WIN_BUILD) -j$(JOBS)

test-windows: windows deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) --target kelvane-render -j$(JOBS)
	@scripts/install-deps wine
	@scripts/test-windows $(WIN_BUILD)/kelvane.exe $(BUILD)/kelvane-render $(WIN_BUILD)/test-windows

# The program as a web page (Emscripten): build-web/index.html, kelvane.js
# and kelvane.wasm. emcc's JavaScript optimiser loads acorn from Debian's
# node modules, which a node from elsewhere does not search.
WEB_BUILD := build-web
WEB_PORT  ?= 8000
EMSDK_ENV := NODE_PATH=/usr/share/nodejs

.PHONY: web serve-web test-web

# The font tables are made by the desktop build's generator: the web build's
# own programs run only in a browser.
PSF_TABLE := $(BUILD)/platform/kelvane-psf-table

$(WEB_BUILD)/CMakeCache.txt: | deps $(BUILD)/CMakeCache.txt
	@scripts/install-deps web
	$(EMSDK_ENV) emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DKELVANE_PSF_TABLE=$(CURDIR)/$(PSF_TABLE)

web: $(WEB_BUILD)/CMakeCache.txt
	@scripts/install-deps web
	cmake --build $(BUILD) --target kelvane-psf-table -j$(JOBS)
	$(EMSDK_ENV) cmake --build $(WEB_BUILD) -j$(JOBS)

serve-web: web
	@echo "serve-web: open http://localhost:$(WEB_PORT)/ (Ctrl-C stops)"
	python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_BUILD)

# The page in Debian's headless Chromium, driven by puppeteer-core from the
# lock file (which never downloads a browser), against the headless host's
# frames; the display benchmark gives the headless drag frame's cost.
WEB_TEST_MODULES := tests/web/node_modules/.package-lock.json

$(WEB_TEST_MODULES): tests/web/package-lock.json
	cd tests/web && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error
	@touch $@

test-web: web deps $(BUILD)/CMakeCache.txt $(WEB_TEST_MODULES)
	cmake --build $(BUILD) --target kelvane-render kelvane-bench-display -j$(JOBS)
	node tests/web/test-web.mjs $(WEB_BUILD) $(BUILD)/kelvane-render $(WEB_BUILD)/test-web \
		$(BUILD)/bench/kelvane-bench-display

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WEB_BUILD)

# Evidence runs. The fuzzers build with clang into a tree of their own.
FUZZ_BUILD   := build-fuzz
FUZZ_SECONDS ?= 60

.PHONY: fuzz fuzz-build

fuzz-build:
	@scripts/install-deps fuzz
	CC=clang CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j$(JOBS)

fuzz: fuzz-build
	@scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

.PHONY: soak faults check-valgrind

SOAK_ARGS ?=

# Ten thousand drags on the headless host, checked frame by frame.
soak: build
	$(BUILD)/kelvane-soak $(SOAK_ARGS)

# Every platform call the program makes, failed in turn; a table of outcomes.
faults: build
	$(BUILD)/kelvane-faults

# The whole suite under valgrind's memcheck.
check-valgrind: build
	@scripts/install-deps valgrind
	@scripts/check-valgrind $(BUILD)
