# Thin wrapper over CMake. `make run` and `make test` each set up a fresh Debian 12 machine.
BUILD_DIR ?= build
CMAKE_BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
ARGS ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@bash scripts/deps.sh

$(BUILD_DIR)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(CMAKE_BUILD_TYPE)

configure: $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: deps build
	$(BUILD_DIR)/app/splicora $(ARGS)

test: deps build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: deps build
	@for b in bench/*/run; do echo "== $$b"; bash $$b $(BUILD_DIR) || exit 1; done

clean:
	rm -rf $(BUILD_DIR)
