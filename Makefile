# Sumaris: the two set-up commands are `make run` and `make test`.
# Both install what is missing (Debian 12), configure and build.

BUILD      ?= build
TEST_BUILD ?= build-test
JOBS       ?= $(shell nproc)
CMAKE_GEN   = -G Ninja

.PHONY: all deps build run test install package screenshots bench rtl fuzz format clean

all: build

deps:
	@./scripts/install-deps.sh

$(BUILD)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DSUMARIS_TESTS=OFF

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/sumaris

# Installs the programs, the menu entry, the icon, the manual pages and the
# documents under PREFIX (DESTDIR=... stages them elsewhere, as packagers do).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package $(BUILD)/sumaris_<version>_<arch>.deb, built by CPack
# from the release build.
package: build
	cd $(BUILD) && cpack

# The test build runs every suite under AddressSanitizer and
# UndefinedBehaviorSanitizer; window tests use Qt's offscreen platform.
$(TEST_BUILD)/build.ninja: CMakeLists.txt
	cmake -S . -B $(TEST_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSUMARIS_SANITIZE=ON -DSUMARIS_BENCH=OFF

test: deps $(TEST_BUILD)/build.ninja
	cmake --build $(TEST_BUILD) -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(TEST_BUILD) --output-on-failure -j $(JOBS)

# Renders every window after a sample addition into $(BUILD)/screenshots.
screenshots: build
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/sumaris-screenshots $(BUILD)/screenshots

bench: build
	./$(BUILD)/sumaris_bench
	./$(BUILD)/rtl/sumaris_rtl_bench

# The adder's RTL: Yosys synthesizes every block, each path and the whole
# adder to two-input gates and prints cells and logic depth; the table is
# written to rtl/cost.tsv (the build turns it into rtl/block_cost.h).
rtl: deps
	nice python3 rtl/scripts/cost.py -j $(JOBS)

# libFuzzer (clang): each fuzz/NAME_fuzz.cpp runs FUZZ_SECONDS on its seed
# corpus fuzz/corpus/NAME with fuzz/dictionary.txt. New inputs go to
# $(FUZZ_BUILD)/corpus/NAME, crashes and slow inputs to $(FUZZ_BUILD)/.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 600
fuzz: deps
	@command -v clang++ >/dev/null || { echo "make fuzz needs clang: apt-get install clang libclang-rt-dev"; exit 1; }
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSUMARIS_FUZZ=ON -DSUMARIS_TESTS=OFF -DSUMARIS_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	@for source in fuzz/*_fuzz.cpp; do \
	  target=$$(basename $$source .cpp); name=$${target%_fuzz}; \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  echo "== $$target for $(FUZZ_SECONDS) s"; \
	  ./$(FUZZ_BUILD)/$$target -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
	    -dict=fuzz/dictionary.txt -artifact_prefix=$(FUZZ_BUILD)/$$target- \
	    $(FUZZ_BUILD)/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(TEST_BUILD)
