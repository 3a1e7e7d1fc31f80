# The two commands: `make run` starts the launcher in a demo folder; `make test` builds and runs
# every test suite. Both install what is missing first.

.PHONY: all deps build run test test-default test-asan test-fuzz test-windows test-windows64 \
        test-windows32 fuzz windows windows64 dist bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	@scripts/run-demo

test: deps test-default test-asan test-fuzz test-windows

# The suites are independent of each other (own folders, own displays, own children): they run
# side by side, one per core. The Wine suites share a prefix and run one at a time regardless.
JOBS ?= $(shell nproc)

test-default:
	cmake --preset default
	cmake --build --preset default
	ctest --preset default --parallel $(JOBS)

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan --parallel $(JOBS)

# libFuzzer over the parsers of outside input: a minute with the tests, ten minutes on demand.
test-fuzz:
	scripts/run-fuzz 60

fuzz: deps
	scripts/run-fuzz 600

# The Windows programs (mingw-w64): 32-bit in build-windows/, 64-bit in build-windows64/.
windows: deps
	cmake --preset windows
	cmake --build --preset windows

windows64: deps
	cmake --preset windows64
	cmake --build --preset windows64

# Both are built and checked on every machine. The 64-bit suites run under Wine's 64-bit loader
# everywhere; the 32-bit ones wherever the machine runs 32-bit programs (scripts/test-windows32
# says so when it does not; CORVANTA_WINE32=run or =skip forces either path).
test-windows: test-windows64 test-windows32

test-windows64: windows64
	ctest --preset windows64

test-windows32: windows
	scripts/test-windows32

# The archives for users, in dist/: the Windows zips (win32, win64) and the Linux tar.gz.
dist: deps
	cmake --preset release
	cmake --build --preset release --target corvanta-menu
	cd build-release && cpack
	for preset in windows windows64; do \
	  cmake --preset $$preset && cmake --build --preset $$preset --target corvanta-menu && \
	  (cd build-$$preset && cpack) || exit 1; \
	done

bench: deps
	cmake --preset release
	cmake --build --preset release
	scripts/run-benchmarks build-release

clean:
	rm -rf build build-asan build-release build-fuzz build-windows build-windows64 dist
