# The two commands a newcomer needs: `make run` and `make test`. Both install what is
# missing (Debian packages, through scripts/install-deps.sh) and build first.

BUILD      ?= build
SAN_BUILD  ?= build-asan
FUZZ_BUILD ?= build-fuzz
PACKAGE_BUILD ?= build-package
CMAKE_ARGS ?=
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: all deps configure build build-sanitize run test test-plain test-sanitize bench bench-whole fuzz clean install \
  package package-check format format-check

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./scripts/run.sh $(BUILD)

# Installs the built program for the current user (see README, "Installing").
install: build
	./scripts/install-user.sh $(BUILD)

# The Debian package stallora_<version>_amd64.deb, built in its own tree ($(PACKAGE_BUILD)).
package:
	@./scripts/install-deps.sh packaging
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DSTALLORA_PACKAGE=ON -DSTALLORA_BUILD_TESTS=OFF \
	  -DSTALLORA_BUILD_BENCH=OFF $(CMAKE_ARGS)
	cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB
	@ls -1 $(PACKAGE_BUILD)/stallora_*.deb

# Builds the package and checks it (lintian, its files, the tool and the program run from it).
package-check:
	./scripts/package-check.sh $(PACKAGE_BUILD)

# The whole suite twice: plainly, and built with AddressSanitizer and UndefinedBehaviorSanitizer
# in its own tree ($(SAN_BUILD), without the benchmarks, which no test runs).
test: test-plain test-sanitize

# The plain run alone, for iterating.
test-plain: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(SAN_BUILD)/build.ninja:
	cmake -S . -B $(SAN_BUILD) -G Ninja -DSTALLORA_SANITIZE=ON -DSTALLORA_BUILD_BENCH=OFF $(CMAKE_ARGS)

build-sanitize: deps $(SAN_BUILD)/build.ninja
	cmake --build $(SAN_BUILD) -j $(JOBS)

test-sanitize: build-sanitize
	cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD)-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSTALLORA_BUILD_TESTS=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD)-release -j $(JOBS) --target benchmarks
	./scripts/bench.sh $(BUILD)-release
	$(MAKE) bench-whole

# Whole processes (the tool and the program) beside `cat` of the same bytes, on generated
# inputs (bench/whole_process.sh).
bench-whole:
	@./scripts/install-deps.sh bench
	cmake -S . -B $(BUILD)-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DSTALLORA_BUILD_TESTS=OFF $(CMAKE_ARGS)
	cmake --build $(BUILD)-release -j $(JOBS) --target stallora-cli stallora-cli-qt stallora stage_data
	./bench/whole_process.sh $(BUILD)-release/bin

fuzz: deps
	CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSTALLORA_BUILD_FUZZ=ON -DSTALLORA_BUILD_TESTS=OFF -DSTALLORA_BUILD_BENCH=OFF -DSTALLORA_BUILD_GUI=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	./scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Rewrites the C++ files in the style of .clang-format; format-check lists those that differ.
format: deps
	./scripts/format.sh

format-check: deps
	./scripts/format-check.sh

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(BUILD)-release $(FUZZ_BUILD) $(PACKAGE_BUILD)
