# The usual commands. Each installs what it needs and is missing first: `make run` and `make build`
# what building and running the program need, the others also what the tests and tools need.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# cmake's own progress is left out; its notices (what is not built, and why) and warnings show.
CONFIGURE = cmake -S . -B $(BUILD) $(CMAKE_FLAGS) --log-level=NOTICE

.PHONY: all deps test-deps build build-for-tests run test e2e bench memcheck sanitize fuzz clean

all: build

deps:
	@bash scripts/install-deps

test-deps:
	@bash scripts/install-deps --test

# Everything whose libraries are installed: the program, and the tests and benchmarks once
# `make test` (or any target below) has installed theirs.
build: deps
	$(CONFIGURE)
	cmake --build $(BUILD) -j$(JOBS)

build-for-tests: test-deps
	$(CONFIGURE)
	cmake --build $(BUILD) -j$(JOBS)

run: deps
	$(CONFIGURE)
	cmake --build $(BUILD) -j$(JOBS) --target zefa
	@bash scripts/run.sh $(BUILD)

test: build-for-tests
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j$(JOBS)
	@if command -v Xvfb >/dev/null 2>&1 && [ -x scripts/e2e.sh ]; then bash scripts/e2e.sh $(BUILD); fi

e2e: build-for-tests
	bash scripts/e2e.sh $(BUILD)

bench: build-for-tests
	bash bench/startup.sh $(BUILD)

memcheck: build-for-tests
	cd $(BUILD) && ctest -L memcheck --output-on-failure --no-tests=error

# ASan+UBSan build of everything in build-sanitize, then the whole suite there.
sanitize: test-deps
	JOBS=$(JOBS) bash scripts/sanitize.sh build-sanitize

# libFuzzer on the Layout-record reader for FUZZ_SECONDS; what it finds lands in tests/corpus/.
FUZZ_SECONDS ?= 60
fuzz: test-deps
	JOBS=$(JOBS) bash scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) build-*
