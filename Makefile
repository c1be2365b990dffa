# Two entry points: `make run` builds and starts Varnwick, `make test` builds
# and runs the whole test suite. Both install the Debian packages they need.
BUILD ?= build
JOBS ?= $(shell nproc)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
DEBIAN_PACKAGES := build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools \
	libgl-dev libbenchmark-dev clang libclang-rt-dev xvfb xauth xdg-utils shared-mime-info \
	libfile-mimeinfo-perl desktop-file-utils appstream
# Under CI=true warnings are errors and the suite runs once more with the sanitizers.
WERROR := $(if $(filter true,$(CI)),ON,OFF)

.PHONY: run test deps build build-asan test-asan fuzz-smoke bench deb clean

run: build
	./$(BUILD)/bin/varnwick

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
ifeq ($(CI),true)
	$(MAKE) test-asan fuzz-smoke
endif

deps:
	@missing=$$(for p in $(DEBIAN_PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		echo "Installing: $$missing"; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNWICK_WERROR=$(WERROR)
	cmake --build $(BUILD) -j $(JOBS)

test-asan: deps
	cmake -S . -B $(BUILD)-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARNWICK_SANITIZE=ON \
		-DVARNWICK_BENCH=OFF -DVARNWICK_WERROR=$(WERROR)
	cmake --build $(BUILD)-asan -j $(JOBS)
	cd $(BUILD)-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --output-on-failure -j $(JOBS)

# Each fuzz target runs briefly from the seeds in fuzz/corpus; what it finds
# goes to the build folder's corpus, so the checkout stays clean.
FUZZ_SECONDS ?= 30
fuzz-smoke: deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DVARNWICK_FUZZ=ON -DVARNWICK_BENCH=OFF
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target varnwick_fuzzers
	@for f in $(BUILD)-fuzz/fuzz/fuzz_*; do \
		[ -f "$$f" ] && [ -x "$$f" ] || continue; \
		echo "== $$f ($(FUZZ_SECONDS) s)"; \
		name=$$(basename $$f); mkdir -p $(BUILD)-fuzz/corpus/$$name; \
		"$$f" -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
			$(BUILD)-fuzz/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

bench: build
	@for b in $(BUILD)/bench/bench_*; do "$$b"; done

# The Debian package, from an optimised build installed under /usr, linked
# with a read-only symbol table as Debian's hardening asks.
deb: deps
	cmake -S . -B $(BUILD)-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DVARNWICK_BENCH=OFF -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro,-z,now"
	cmake --build $(BUILD)-release -j $(JOBS)
	cd $(BUILD)-release && cpack -G DEB

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-fuzz $(BUILD)-release
