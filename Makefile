# The commands a newcomer types; see README.md.
PREFIX      ?= $(CURDIR)/build/install
JOBS        ?= $(shell nproc)
RELEASE_DIR := build/release
DEBUG_DIR   := build/debug
BENCH_DIR   := build/bench

.PHONY: deps run install test bench soak package artwork-sheet clean

deps:
	@scripts/install-deps

$(RELEASE_DIR)/build.ninja: | deps
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DQUAVELET_TESTS=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX)

install: deps $(RELEASE_DIR)/build.ninja
	cmake --build $(RELEASE_DIR) -j $(JOBS)
	cmake --install $(RELEASE_DIR) --prefix $(PREFIX)
	@scripts/register-install "$(PREFIX)"

run: install
	"$(PREFIX)/bin/quavelet"

test: deps
	cmake -S . -B $(DEBUG_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DQUAVELET_SANITIZE=ON -DQUAVELET_WERROR=ON -DQUAVELET_TESTS=ON -DQUAVELET_SOAK=OFF
	cmake --build $(DEBUG_DIR) -j $(JOBS)
	cd $(DEBUG_DIR) && ctest --output-on-failure -j $(JOBS)

soak: deps
	cmake -S . -B $(DEBUG_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DQUAVELET_SANITIZE=ON -DQUAVELET_WERROR=ON -DQUAVELET_TESTS=ON -DQUAVELET_SOAK=ON
	cmake --build $(DEBUG_DIR) -j $(JOBS)
	cd $(DEBUG_DIR) && ctest --output-on-failure -R model

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DQUAVELET_TESTS=OFF -DQUAVELET_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)
	cmake --build $(BENCH_DIR) --target run-benchmarks

# Every picture enlarged eight times in one image: build/artwork-sheet.png.
artwork-sheet: deps
	cmake -S . -B $(DEBUG_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DQUAVELET_SANITIZE=ON -DQUAVELET_WERROR=ON -DQUAVELET_TESTS=ON
	cmake --build $(DEBUG_DIR) --target artwork-sheet -j $(JOBS)
	$(DEBUG_DIR)/tools/artwork-sheet/artwork-sheet build/artwork-sheet.png

package: install
	cd $(RELEASE_DIR) && cpack -G DEB

clean:
	rm -rf build
