# The usual commands. `make run` and `make test` install what is missing first.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps build run test e2e bench memcheck sanitize fuzz clean

all: build

deps:
	@bash scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j$(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)
	@if command -v Xvfb >/dev/null 2>&1 && [ -x scripts/e2e.sh ]; then bash scripts/e2e.sh $(BUILD); fi

e2e: build
	bash scripts/e2e.sh $(BUILD)

bench: build
	bash bench/startup.sh $(BUILD)

memcheck: build
	cd $(BUILD) && ctest -L memcheck --output-on-failure

# ASan+UBSan build of everything in build-sanitize, then the whole suite there.
sanitize: deps
	JOBS=$(JOBS) bash scripts/sanitize.sh build-sanitize

# libFuzzer on the Layout-record reader for FUZZ_SECONDS; what it finds lands in tests/corpus/.
FUZZ_SECONDS ?= 60
fuzz: deps
	JOBS=$(JOBS) bash scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) build-*
