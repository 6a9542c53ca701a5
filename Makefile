# make run   installs what is missing, builds, generates the demo data and starts the program
# make test  the same set-up with sanitizers, the fuzzers for a short while, then every test
# make fuzz  the fuzzers for FUZZ_SECONDS each (default 60)

JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60
BUILD       := build
TEST_BUILD  := build-test
FUZZ_BUILD  := build-fuzz
CMAKE_GEN   := -G Ninja

# Chromium refuses to start its sandbox as root; only then is it turned off.
ifeq ($(shell id -u),0)
SANDBOX_ENV := QTWEBENGINE_DISABLE_SANDBOX=1
endif
TEST_ENV := $(SANDBOX_ENV) \
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:suppressions=$(CURDIR)/tests/asan.supp \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$(CURDIR)/tests/ubsan.supp

.PHONY: all deps build run test build-test fuzz build-fuzz bench clean format

all: build

deps:
	./scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELUMO_TESTS=OFF
	cmake --build $(BUILD) -j $(JOBS)
	@cat $(BUILD)/gendata-summary.txt 2>/dev/null || true

run: build
	./$(BUILD)/pelumo

build-test: deps
	cmake -S . -B $(TEST_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DPELUMO_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)

build-fuzz: deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPELUMO_FUZZ=ON \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: build-fuzz
	FUZZ_SECONDS=$(FUZZ_SECONDS) ./scripts/run-fuzzers $(FUZZ_BUILD)

test: build-test
	$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=20
	cd $(TEST_BUILD) && env $(TEST_ENV) xvfb-run -a -s "-screen 0 1280x1024x24" \
		ctest -j $(JOBS) --output-on-failure
	./scripts/test-ratio
	@cat $(TEST_BUILD)/gendata-summary.txt 2>/dev/null || true

bench: build
	./bench/run-all $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(TEST_BUILD) $(FUZZ_BUILD)
