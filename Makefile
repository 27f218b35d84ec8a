# Entry points: `make run`, `make test`, `make bench`. Each installs what is missing first.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: setup configure build run test bench fuzz clean

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		-DCMAKE_CXX_COMPILER_LAUNCHER=ccache $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD_DIR)/src/app/calendar

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600

bench: build
	@bash scripts/bench.sh $(BUILD_DIR)

# A libFuzzer build with clang-14 and sanitizers, in a directory of its own.
fuzz: setup
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
		-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCALENDAR_FUZZ=ON -DCALENDAR_SANITIZE=ON > /dev/null
	@cmake --build build-fuzz -j $(JOBS) --target fuzzers

clean:
	rm -rf $(BUILD_DIR) build-fuzz
