# The two commands of this project: `make run` and `make test`.
# Both install what they need on a fresh Debian 12 machine first.
# Besides: `make test-asan` (the suite under AddressSanitizer/UBSan), `make fuzz-smoke` (part of
# `make test`), `make fuzz` (long fuzzing runs), `make bench` (figures, no assertions) and
# `make mutants` (plants faults one at a time and checks that the suite catches each).

BUILD   ?= build
JOBS    ?= $(shell nproc)
SUDO    := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
PACKAGES := build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins \
            qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n \
            libgl-dev libcanberra-dev libx11-dev libxtst-dev sound-theme-freedesktop \
            xvfb xauth dbus x11-utils fonts-dejavu-core \
            desktop-file-utils libglib2.0-bin appstream dpkg-dev file \
            clang libclang-rt-14-dev tzdata systemd openbox libxdamage-dev python3

# Only the bench: a sound server to measure the alarm's sound on, and libcanberra's way to it.
BENCH_PACKAGES := pulseaudio pulseaudio-utils libcanberra-pulse

.PHONY: run test deps build clean fuzz fuzz-build fuzz-smoke test-asan bench mutants

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing: $$missing"; \
	    $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	    echo "vekora: no graphical display found; run it on a desktop, or try: xvfb-run -s '-screen 0 1280x800x24' make run"; \
	    exit 1; \
	fi
	./$(BUILD)/vekora

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory fuzz-smoke

# The fuzz targets are built by clang into a tree of their own; crashes and grown corpora stay
# there too, so a fuzzing run never writes into the repository.
FUZZ_BUILD   ?= build-fuzz
FUZZ_TARGETS := fuzz_alarmtext fuzz_settings fuzz_waketable
FUZZ_SECONDS ?= 300
FUZZ_RUNS    ?= 20000

fuzz-build: deps
	CC=clang CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@mkdir -p $(FUZZ_BUILD)/crashes

# Each target once over its seed corpus and a few thousand mutations: seconds, not minutes.
fuzz-smoke: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	    echo "fuzz-smoke: $$t ($(FUZZ_RUNS) runs)"; \
	    rm -rf $(FUZZ_BUILD)/smoke-$$t && mkdir -p $(FUZZ_BUILD)/smoke-$$t; \
	    ./$(FUZZ_BUILD)/$$t -runs=$(FUZZ_RUNS) -seed=1 -print_final_stats=0 \
	        -artifact_prefix=$(FUZZ_BUILD)/crashes/$$t- \
	        $(FUZZ_BUILD)/smoke-$$t fuzz/corpus/$$t 2>$(FUZZ_BUILD)/$$t-smoke.log \
	        || { tail -n 40 $(FUZZ_BUILD)/$$t-smoke.log; exit 1; }; \
	done

# libFuzzer adds new inputs to the first corpus folder it is given: always one in the build tree,
# so the seeds in fuzz/corpus are only read.
# Long runs; what they learn stays in build-fuzz/corpus-<target> for the next run.
# Qt is neither instrumented nor built with frame pointers, so each allocation through it records
# a stack of garbage frames and ASan's stack store grows by hundreds of MB over a run; hence no
# allocation stacks here (rerun a crash file directly to get them).
FUZZ_ASAN ?= malloc_context_size=0
fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	    mkdir -p $(FUZZ_BUILD)/corpus-$$t; \
	    echo "fuzz: $$t for $(FUZZ_SECONDS) s"; \
	    ASAN_OPTIONS=$(FUZZ_ASAN) ./$(FUZZ_BUILD)/$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        -artifact_prefix=$(FUZZ_BUILD)/crashes/$$t- \
	        $(FUZZ_BUILD)/corpus-$$t fuzz/corpus/$$t || exit 1; \
	done

ASAN_BUILD ?= build-asan
SANITIZE   := -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug \
	    -DCMAKE_CXX_FLAGS="$(SANITIZE)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)" >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

bench: deps
	@$(MAKE) --no-print-directory deps PACKAGES="$(BENCH_PACKAGES)"
	bench/run

# In a tree of its own (build-mutants), so the faults never reach $(BUILD).
mutants: deps
	JOBS=$(JOBS) tests/mutants

clean:
	rm -rf $(BUILD)
