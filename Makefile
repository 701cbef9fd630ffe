# Quillmark: build, test, convert the example, screenshots of the windows, benchmark.
# Every target works from a fresh clone: missing Debian packages are installed first (as root;
# otherwise they are named), then the build folder is configured and built.

BUILD       := build
ASAN_BUILD  := build-asan
BENCH_BUILD := build-bench
FUZZ_BUILD  := build-fuzz
TSAN_BUILD  := build-tsan
PACKAGE_BUILD := build-package
WIN_BUILD   := build-windows
# Warnings are errors in the builds made here (and so in CI); "make WERROR=OFF ..." lets a
# new compiler's warning pass. A plain cmake build has them off.
WERROR      ?= ON
JOBS        ?= $(shell nproc 2>/dev/null || echo 2)
# A compiler cache speeds up rebuilds where one is installed; the builds are the same without.
CCACHE      := $(shell command -v ccache 2>/dev/null)
CMAKE       := cmake $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))

CLI         := $(BUILD)/bin/quillmark-cli
CHROMIUM    ?= /usr/bin/chromium
# The windows are drawn without a display, on a screen of 1024 x 768; "make screenshots
# QT_PLATFORM=xcb" under xvfb-run draws them with the X11 platform instead.
QT_PLATFORM ?= offscreen:configfile=$(CURDIR)/gui/screenshots/Screen-1024x768.json
# The example project reads examples/src and writes into build/example-output, both relative
# to the folder make runs in.
EXAMPLE     := examples/example.qmpr
EXAMPLE_OUT := $(BUILD)/example-output

.PHONY: all deps configure build run desktop test screenshots images bench sanitize tsan format clean fuzz fuzz-configure fuzz-viewer \
        screenshot-viewer package check-package windows windows-configure test-windows package-windows

all: build

deps:
	@sh scripts/install-deps

configure: deps
	$(CMAKE) -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# Converts the example sources; the pages land in $(EXAMPLE_OUT). Builds only the command-line
# program and its data, so a first run is short.
run: configure
	cmake --build $(BUILD) -j$(JOBS) --target quillmark-cli
	$(CLI) convert --yes $(EXAMPLE)
	@echo
	@echo "Pages written to $(CURDIR)/$(EXAMPLE_OUT)/"

# Builds only the desktop program (and its data, help file included) and starts it with the
# example project. Needs Qt 6 Widgets and a display.
desktop: configure
	cmake --build $(BUILD) -j$(JOBS) --target quillmark
	$(BUILD)/bin/quillmark $(EXAMPLE)

test: build
	cd $(BUILD) && ctest --output-on-failure

# Draws every window, menu and message box of the desktop program into $(SCREENSHOTS)/*.png,
# the main window a second time with the example project loaded, and the example's web help
# as headless Chromium shows it (Webhilfe.png).
screenshots: build
	@test -x $(BUILD)/bin/quillmark_screenshots || \
	  { echo "screenshots need the desktop program (Qt 6 Widgets)" >&2; exit 1; }
	QT_QPA_PLATFORM=$(QT_PLATFORM) $(BUILD)/bin/quillmark_screenshots $(SCREENSHOTS) $(EXAMPLE)
	$(CLI) convert --yes --quiet --help-project --web-help $(EXAMPLE)
	@if [ -x $(CHROMIUM) ]; then \
	  $(CHROMIUM) --headless --disable-gpu --no-sandbox --no-first-run --hide-scrollbars \
	    --disable-background-networking --window-size=1100,640 --virtual-time-budget=2000 \
	    --screenshot=$(CURDIR)/$(SCREENSHOTS)/Webhilfe.png \
	    "file://$(CURDIR)/$(EXAMPLE_OUT)/Kundenmanager.Doc.html?q=Kunden&page=Hauptfenster.Doc.htm" \
	    2>/dev/null; \
	else echo "$(CHROMIUM) not found: the web help is not drawn"; fi

# Redraws the program's images into gui/images/, where they are kept.
images: configure
	cmake --build $(BUILD) --target qm_draw_images
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/qm_draw_images gui/images data/icons

# Release build of the benchmark only; it brings its own generated sources.
bench: deps
	$(CMAKE) -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF -DQM_BENCH=ON -DQM_WERROR=ON
	cmake --build $(BENCH_BUILD) -j$(JOBS) --target quillmark_bench
	$(BENCH_BUILD)/bin/quillmark_bench
	@if cmake --build $(BENCH_BUILD) --target help | grep quillmark_gui_bench >/dev/null; then \
	  cmake --build $(BENCH_BUILD) -j$(JOBS) --target quillmark_gui_bench && \
	  $(BENCH_BUILD)/bin/quillmark_gui_bench; \
	else echo "No desktop program built: the window's conversion time is not measured."; fi

# The tests again under the address and undefined-behaviour sanitizers.
sanitize: deps
	$(CMAKE) -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQM_SANITIZE=ON -DQM_BENCH=OFF \
	  -DQM_WERROR=$(WERROR)
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure

# The core's tests under the thread sanitizer: every conversion in them runs with worker
# threads, so a data race between them and the writing thread fails the run.
tsan: deps
	$(CMAKE) -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DQM_TSAN=ON -DQM_GUI=OFF -DQM_BENCH=OFF \
	  -DQM_WERROR=$(WERROR)
	cmake --build $(TSAN_BUILD) -j$(JOBS) --target quillmark_tests
	cd $(TSAN_BUILD) && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
	  ./bin/quillmark_tests --gtest_brief=1

# The fuzz targets are built by clang in a build folder of their own.
FUZZ_TIME   ?= 60
fuzz-configure: deps
	$(CMAKE) -S . -B $(FUZZ_BUILD) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DQM_FUZZ=ON -DQM_GUI=OFF -DQM_TESTS=OFF -DQM_BENCH=OFF \
	  -DQM_WERROR=$(WERROR)

# Every fuzz target under libFuzzer with ASan and UBSan, FUZZ_TIME seconds each, one after the
# other. A finding (a fault, a failed check, a leak, an input slower than FUZZ_INPUT_TIMEOUT
# seconds) stops with a non-zero status and leaves the input in $(FUZZ_BUILD)/findings/. The
# seeds of the core's targets are made afresh from examples/ and data/ (fuzz/make-seeds) and
# its targets use the dictionary fuzz/markers.dict; new corpus entries collect in
# $(FUZZ_BUILD)/corpus/.
FUZZ_TARGETS       := help_viewer block_convert generator project_file help_writers
FUZZ_INPUT_TIMEOUT ?= 25
fuzz: fuzz-configure
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_all
	fuzz/make-seeds . $(FUZZ_BUILD)/seeds
	mkdir -p $(FUZZ_BUILD)/findings
	@set -e; for t in $(FUZZ_TARGETS); do \
	  if [ $$t = help_viewer ]; then seeds=fuzz/corpus/viewer; dict=; \
	  else seeds=$(FUZZ_BUILD)/seeds/$$t; dict=-dict=fuzz/markers.dict; fi; \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t; \
	  echo "== fuzz_$$t, $(FUZZ_TIME) s"; \
	  $(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_TIME) -timeout=$(FUZZ_INPUT_TIMEOUT) \
	    -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/findings/$$t- $$dict \
	    $(FUZZ_BUILD)/corpus/$$t $$seeds; \
	done

# The help viewer's readers of settings, context map and sitemaps alone, for FUZZ_TIME
# seconds. New findings go to $(FUZZ_BUILD)/corpus-viewer; the seeds in fuzz/corpus/viewer
# stay as they are.
fuzz-viewer: fuzz-configure
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_help_viewer
	mkdir -p $(FUZZ_BUILD)/corpus-viewer
	$(FUZZ_BUILD)/fuzz/fuzz_help_viewer -max_total_time=$(FUZZ_TIME) -print_final_stats=1 \
	  $(FUZZ_BUILD)/corpus-viewer fuzz/corpus/viewer

# The help viewer drawn into $(BUILD)/screenshots/help-viewer.png, showing HELP_PAGE of
# HELP_FILE (by default the example project's help, converted and compiled here).
SCREENSHOTS := $(BUILD)/screenshots
HELP_FILE   ?= $(EXAMPLE_OUT)/Kundenmanager.Doc.chm
HELP_PAGE   ?=
screenshot-viewer: build
	@if [ "$(HELP_FILE)" = "$(EXAMPLE_OUT)/Kundenmanager.Doc.chm" ]; then \
	  $(CLI) convert --yes --quiet --help-project --compile $(EXAMPLE); fi
	mkdir -p $(SCREENSHOTS)
	$(BUILD)/bin/quillmark-help --screenshot $(SCREENSHOTS)/help-viewer.png $(HELP_FILE) $(HELP_PAGE)

# The Debian package, from a Release build of the programs alone (prefix /usr), into
# $(PACKAGE_BUILD)/. A packager's build: warnings do not stop it.
package: deps
	$(CMAKE) -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF -DQM_BENCH=OFF \
	  -DQM_WERROR=OFF -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build $(PACKAGE_BUILD) -j$(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB

# Installs the package into a fresh Debian 12 chroot, runs it there and removes it again (as
# root, with debootstrap; takes minutes, so it is not part of "make test"). Without root or
# debootstrap it checks the package's file list and dependencies instead.
check-package: package
	sh scripts/check-package $(PACKAGE_BUILD)/quillmark_*.deb

# quillmark-cli.exe and the core's test programs for 64-bit Windows, cross-built with MinGW-w64
# (cmake/MinGW.cmake) and linked statically, into $(WIN_BUILD)/bin.
windows-configure: deps
	$(CMAKE) -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW.cmake \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_WERROR=$(WERROR)

windows: windows-configure
	cmake --build $(WIN_BUILD) -j$(JOBS) --target quillmark-cli qm_windows_tests

# The Windows tests under wine64, in a Wine prefix of the build folder's own. One of them
# compares the example's output with the Linux program's, so that one is brought up to date
# first: a stale one would report its own old output as a difference.
test-windows: windows configure
	cmake --build $(BUILD) -j$(JOBS) --target quillmark-cli
	cd $(WIN_BUILD) && ctest --output-on-failure

# The zip of quillmark-cli.exe with its tables, templates, "Extra Files", the example project
# and LIESMICH.txt, into $(WIN_BUILD)/.
package-windows: windows-configure
	cmake --build $(WIN_BUILD) -j$(JOBS) --target package-windows

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h' ':!examples/')

clean:
	rm -rf $(BUILD) $(WIN_BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(TSAN_BUILD) $(PACKAGE_BUILD)
