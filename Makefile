# The two commands: `make run` starts the launcher in a demo folder; `make test` builds and runs
# every test suite. Both install what is missing first.

.PHONY: all deps build run test test-default test-asan test-fuzz fuzz bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	@scripts/run-demo

test: deps test-default test-asan test-fuzz

test-default:
	cmake --preset default
	cmake --build --preset default
	ctest --preset default

test-asan:
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# libFuzzer over the parsers of outside input: a minute with the tests, ten minutes on demand.
test-fuzz:
	scripts/run-fuzz 60

fuzz: deps
	scripts/run-fuzz 600

bench: deps
	cmake --preset release
	cmake --build --preset release
	scripts/run-benchmarks build-release

clean:
	rm -rf build build-asan build-release build-fuzz
