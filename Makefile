# The two commands of the README: `make run` and `make test`. Both install what is missing first.
PRESET ?= default
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc)

.PHONY: run test deps build bench fuzz fuzz-run format format-check clean

deps:
	@bash scripts/setup-deps.sh

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	./$(BUILD_DIR)/app/marovel

# The normal suite, then the same suite under AddressSanitizer and UndefinedBehaviorSanitizer
# (the Xvfb end-to-end tests run in the normal build only), then a short run of each fuzzer.
test: build
	ctest --preset $(PRESET) -j $(JOBS)
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS) -LE e2e
	$(MAKE) --no-print-directory fuzz-run FUZZ_SECONDS=10

# Each libFuzzer target for FUZZ_SECONDS, from its seed corpus in fuzz/corpus/.
FUZZ_SECONDS ?= 60
fuzz: deps
	$(MAKE) --no-print-directory fuzz-run

fuzz-run:
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	bash fuzz/run.sh build/fuzz $(FUZZ_SECONDS)

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	bash scripts/run-bench.sh build/release

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

format-check:
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

clean:
	rm -rf build
