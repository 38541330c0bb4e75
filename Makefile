# Two commands on a fresh Debian 12 machine (as root, or with sudo):
#   make run   installs what is missing, builds and starts the game
#   make test  installs what is missing, builds and runs every test
#   make fuzz  also installs clang, then fuzzes the readers of the files for
#              FUZZ_SECONDS seconds (failing on any finding)
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
PACKAGES   := cmake ninja-build g++ pkg-config qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgl-dev \
              libwmf-dev libemf2svg-dev fonts-urw-base35 \
              libgtest-dev libgmock-dev googletest libbenchmark-dev fonts-liberation2
# Only for the fuzz target.
FUZZ_PACKAGES := clang-14 libclang-rt-14-dev

.PHONY: run test test-asan deps fuzz-deps build build-asan bench fuzz clean

deps: PACKAGES_WANTED = $(PACKAGES)
fuzz-deps: PACKAGES_WANTED = $(FUZZ_PACKAGES)
deps fuzz-deps:
	@missing=""; for p in $(PACKAGES_WANTED); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" = 0 ] || SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESELARO_WERROR=ON

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/teselaro

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

$(BUILD_ASAN)/build.ninja:
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESELARO_SANITIZE=ON \
	  -DTESELARO_BENCHMARKS=OFF -DTESELARO_WERROR=ON

build-asan: deps $(BUILD_ASAN)/build.ninja
	cmake --build $(BUILD_ASAN) -j $(JOBS)

# The same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: build-asan
	cd $(BUILD_ASAN) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/benchmarks/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then QT_QPA_PLATFORM=offscreen $$b || exit 1; fi; \
	done

# libFuzzer over the readers of the program's files, each in its own clang
# build; seeds are files as the program writes them. FUZZ_SECONDS is shared
# among the fuzzers.
FUZZERS := fuzz_estado fuzz_partida fuzz_historico fuzz_imagen fuzz_modelos
$(BUILD_FUZZ)/build.ninja:
	cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DTESELARO_FUZZ=ON -DTESELARO_TESTS=OFF -DTESELARO_BENCHMARKS=OFF

fuzz: deps fuzz-deps $(BUILD_FUZZ)/build.ninja
	cmake --build $(BUILD_FUZZ) -j $(JOBS) --target $(FUZZERS) fuzz_semillas
	mkdir -p $(BUILD_FUZZ)/corpus $(BUILD_FUZZ)/findings
	QT_QPA_PLATFORM=offscreen $(BUILD_FUZZ)/fuzz/fuzz_semillas $(BUILD_FUZZ)/corpus
	@n=$$(echo $(FUZZERS) | wc -w); each=$$(( ($(FUZZ_SECONDS) + n - 1) / n )); \
	for f in $(FUZZERS); do \
	  corpus=$(BUILD_FUZZ)/corpus/$${f#fuzz_}; mkdir -p $$corpus; \
	  echo "== $$f, $$each s"; \
	  (cd $(BUILD_FUZZ) && QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ./fuzz/$$f -max_total_time=$$each -max_len=20000 -print_final_stats=1 \
	    -artifact_prefix=findings/$$f- corpus/$${f#fuzz_}) || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ)
