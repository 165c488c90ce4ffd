# The two commands of the README, and the checks CI adds to them.
BUILD      := build
ASAN_BUILD := build-asan
JOBS       ?= 2
CMAKE_ARGS ?=

.PHONY: all deps build run test bench asan-test clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run-demo $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

bench: build
	@scripts/run-bench $(BUILD)

# Address and undefined-behaviour sanitizers over the whole suite; leaks are
# reported by the address sanitizer's leak checker.
asan-test: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKELVANE_SANITIZE=ON -DKELVANE_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
