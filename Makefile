# make run: build and start Wideroom under Wine.  make test: every test.
# Both install what is missing first (Debian, as root).
JOBS ?= 2
BUILD := $(CURDIR)/build

.PHONY: all deps native win64 win32 dist build test run docs bench clean format

all: build

deps:
	@bash scripts/install-deps.sh

native: deps
	cmake -S . -B $(BUILD)/native -DWIDEROOM_WIN64_DIR=$(BUILD)/win64 -DWIDEROOM_WIN32_DIR=$(BUILD)/win32 >/dev/null
	cmake --build $(BUILD)/native -j$(JOBS)

win64: deps
	cmake -S . -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(BUILD)/win64 -j$(JOBS)

win32: deps
	cmake -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release -DWIDEROOM_TEST_HOOKS=OFF >/dev/null
	cmake --build $(BUILD)/win32 -j$(JOBS)

# The release files in build/dist: the installer and the portable zips.
dist: win64 win32
	bash dist/make_dist.sh $(BUILD)/win64 $(BUILD)/win32 $(BUILD)/dist

build: native win64 win32 dist

test: build
	cd $(BUILD)/native && ctest --output-on-failure -j$(JOBS)

run: win64
	bash scripts/run.sh $(BUILD)/win64 $(BUILD)/run

# The README's pictures in docs/, made as make run makes its own.
docs: win64
	bash scripts/docs_pictures.sh $(BUILD)/win64 docs

bench: native win64
	bash bench/run.sh $(BUILD)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
