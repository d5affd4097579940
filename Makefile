# The two commands that do all set-up on a fresh Debian machine:
#   make run    builds and runs the main example under Wine
#   make test   builds and runs every test under Wine
BUILD_DIR ?= build
JOBS ?= 2
TEST_TIMEOUT ?= 300
EXAMPLE ?= explorer
export VARNEL_BUILD_DIR := $(abspath $(BUILD_DIR))

.PHONY: all deps configure build run test bench clean format

all: build

deps:
	@tools/install-deps.sh

configure: deps
	@test -f $(BUILD_DIR)/build.ninja || cmake -S . -B $(BUILD_DIR) -G Ninja \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# ARGS is handed over as one argument, backslashes and spaces kept: ARGS="C:\Program Files".
run: build
	@tools/run-example.sh $(EXAMPLE) $(if $(ARGS),"$(ARGS)")

test: build
	@tools/wine-session.sh ctest --test-dir $(BUILD_DIR) --output-on-failure \
	  --timeout $(TEST_TIMEOUT) -j $(JOBS)

bench: build

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR)
