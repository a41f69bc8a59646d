# The two commands of the README: `make run` and `make test`. Both install what is missing first.
PRESET ?= default
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc)

.PHONY: run test deps build bench fuzz format format-check clean

deps:
	@bash scripts/setup-deps.sh

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	./$(BUILD_DIR)/app/marovel

test: build
	ctest --preset $(PRESET) -j $(JOBS)

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
