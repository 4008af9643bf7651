# Thin wrapper around CMake. `make run` starts the program beside its data files,
# `make test` builds and runs every test.
BUILD     ?= build
SANITIZE  ?= build-sanitize
FUZZBUILD ?= build-fuzz
PKGBUILD  ?= build-pkg
WINBUILD  ?= build-windows
BENCHBUILD ?= build-bench
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE     ?= cmake

.PHONY: all build run test sanitize fuzz package windows bench clean

all: build

$(BUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: $(BUILD)/CMakeCache.txt
	$(CMAKE) --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/data && ../chemterm

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

$(SANITIZE)/CMakeCache.txt:
	$(CMAKE) -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=Debug -DCHEMTERM_SANITIZE=ON

sanitize: $(SANITIZE)/CMakeCache.txt
	$(CMAKE) --build $(SANITIZE) -j $(JOBS)
	cd $(SANITIZE) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

$(FUZZBUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(FUZZBUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DCHEMTERM_FUZZ=ON -DCHEMTERM_SANITIZE=ON -DCHEMTERM_TESTS=OFF

fuzz: $(FUZZBUILD)/CMakeCache.txt
	$(CMAKE) --build $(FUZZBUILD) -j $(JOBS)

# The Debian package: $(PKGBUILD)/chemterm_VERSION_ARCH.deb, installing under /usr.
$(PKGBUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(PKGBUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	  -DCHEMTERM_TESTS=OFF

package: $(PKGBUILD)/CMakeCache.txt
	$(CMAKE) --build $(PKGBUILD) -j $(JOBS) --target chemterm
	cd $(PKGBUILD) && cpack -G DEB

# The Windows program, cross-built with MinGW-w64: dist/chemterm-windows.zip
# holds a folder chemterm with chemterm.exe, the data files and README.txt.
WINZIP := dist/chemterm-windows.zip
WINSTAGE := dist/chemterm-windows

$(WINBUILD)/CMakeCache.txt:
	$(CMAKE) -S . -B $(WINBUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DCHEMTERM_TESTS=OFF

windows: $(WINBUILD)/CMakeCache.txt
	$(CMAKE) --build $(WINBUILD) -j $(JOBS) --target chemterm
	rm -rf $(WINSTAGE) $(WINZIP)
	mkdir -p $(WINSTAGE)/chemterm
	cp $(WINBUILD)/chemterm.exe data/* $(WINSTAGE)/chemterm/
	sed 's/$$/\r/' cmake/windows-README.txt > $(WINSTAGE)/chemterm/README.txt
	cd $(WINSTAGE) && $(CMAKE) -E tar cf ../chemterm-windows.zip --format=zip chemterm
	rm -rf $(WINSTAGE)

# Benchmarks on an optimised build: the micro-benchmarks, then the whole
# program through pipes (needs libbenchmark-dev and /usr/bin/time).
bench:
	$(CMAKE) -S . -B $(BENCHBUILD) -DCMAKE_BUILD_TYPE=Release -DCHEMTERM_BENCH=ON -DCHEMTERM_TESTS=OFF
	$(CMAKE) --build $(BENCHBUILD) -j $(JOBS)
	$(BENCHBUILD)/chemterm_bench
	bash bench/whole_program.sh $(BENCHBUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE) $(FUZZBUILD) $(PKGBUILD) $(WINBUILD) $(BENCHBUILD) dist
