# The two commands of the README: `make run` and `make test`.
# Everything else here (sanitize, clang, tidy, format-check, bench, fuzz, soak) is for
# developers and CI.
BUILD      ?= build
SAN_BUILD  ?= build-san
CLANG_BUILD?= build-clang
BENCH_BUILD?= build-bench
FUZZ_BUILD ?= build-fuzz
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
# CI sets MVF_WERROR=ON so that warnings fail the build.
MVF_WERROR ?= OFF

# A compiler cache, when the machine has one, makes rebuilds in several checkouts cheap.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

CONFIGURE = cmake -S . -G Ninja -DMVF_WERROR=$(MVF_WERROR) $(LAUNCHER)

.PHONY: run test build deps test-deps install package package-try sanitize clang tidy \
	format-check bench fuzz soak format clean

deps:
	@tools/deps.sh base gui

# The tests also drive the programs on their own X display (acceptance/) and try the
# installation in a scratch prefix (packaging/tests/).
test-deps:
	@tools/deps.sh base gui install accept

build: deps
	@$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) > /dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@tools/run.sh $(BUILD)

# The unit tests first, then the acceptance roads (acceptance/), which drive the built
# programs on their own X displays.
test: test-deps build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE acceptance
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -L acceptance

# `make install PREFIX=~/.local` (default /usr/local; DESTDIR for a staging root).
PREFIX  ?= /usr/local
install:
	@tools/deps.sh base gui install
	@$(MAKE) --no-print-directory build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# The Debian package in $(BUILD)/package/, then its contents, control fields and lintian
# checked (packaging/tests/installed_test.py DebianPackageTest).
package:
	@tools/deps.sh base gui install package
	@$(MAKE) --no-print-directory build
	@cmake --build $(BUILD) --target package
	@cmake --build $(BUILD) --target package_check

# Installs the package on this machine with apt-get, uses it, removes it and checks that
# nothing is left (root or sudo; for CI and a scratch machine).
package-try: package
	@tools/try_package.sh $(BUILD)/package

# The unit tests under the sanitizers. The roads and the installation tests run in
# `make test`, against the build the user gets: an instrumented library cannot serve a
# plain program built against it.
sanitize: test-deps
	@$(CONFIGURE) -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DMVF_SANITIZE=ON > /dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@ctest --test-dir $(SAN_BUILD) --output-on-failure -j $(JOBS) -LE 'acceptance|packaging'

# The same sources built and tested with clang beside the GCC build, in Release (no debug
# information keeps the second build short). CLANG_GUI=OFF: only the plain C++ cores, the
# command-line tools and their tests (what CI builds; clang-tidy compiles changed Qt files
# with clang as well).
CLANG_GUI ?= ON
clang: deps
	@tools/deps.sh clang
	@$(CONFIGURE) -B $(CLANG_BUILD) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_BUILD_TYPE=Release -DMVF_GUI=$(CLANG_GUI) > /dev/null
	@cmake --build $(CLANG_BUILD) -j $(JOBS)
	@ctest --test-dir $(CLANG_BUILD) --output-on-failure -j $(JOBS)

# clang-tidy on the files changed against origin/main (or main), read from the GCC build's
# compile database; TIDY=--all for every file, TIDY="--base REF" against another base (see
# tools/tidy.sh).
TIDY ?=
tidy: build
	@tools/deps.sh lint
	@JOBS=$(JOBS) tools/tidy.sh -p $(BUILD) $(TIDY)

format-check:
	@tools/deps.sh lint
	@tools/check_format.sh

bench:
	@tools/deps.sh base gui bench
	@$(CONFIGURE) -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DMVF_BENCH=ON > /dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	@echo "Benchmarks built in $(BENCH_BUILD)/bench; see bench/README.md for how to run each."

fuzz:
	@tools/deps.sh base gui fuzz
	@CC=clang CXX=clang++ $(CONFIGURE) -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMVF_FUZZ=ON > /dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Ten million differential cases (matcher against the reference backtracker); another
# seed than the test run's unless SOAK_SEED says otherwise.
SOAK_CASES ?= 10000000
SOAK_SEED  ?= 1
soak: build
	@echo "soak: $(SOAK_CASES) differential cases, seed $(SOAK_SEED)"
	@MVFG_DIFF_CASES=$(SOAK_CASES) MVFG_DIFF_SEED=$(SOAK_SEED) \
		$(BUILD)/tests/engine_tests --gtest_filter='DifferentialTest.*'

format:
	@tools/deps.sh lint
	@git ls-files '*.c' '*.cc' '*.cpp' '*.h' '*.hpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(CLANG_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
